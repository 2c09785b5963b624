// Damaged edit histories in the started program: a record that a later step could not apply fails
// the open, and one that does not fit the scene it meets reverts the scene instead of ending the
// program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTabBar>
#include <functional>
#include <limits>
#include <tuple>
#include <vector>

#include "document/EditGroupUndoData.h"
#include "document/GroupUndoData.h"
#include "document/SelectionUndoData.h"
#include "document/WindowUndoData.h"
#include "platform/framework/RunModal.h"
#include "scene/MeshSO.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::Bytes;
using views_test::FileBytes;
using views_test::FindLast;
using views_test::WriteBytes;

const std::string kCube = TAVROLIN_BINARY_DIR "/Objects/Cube.ulm";

struct DamagedHistory : views_test::SceneWindows {
  XDocument* Open(const std::string& path) { return static_cast<XDocument*>(app.OpenDocumentFile(path.c_str())); }
  // The keys (Ctrl+Z, Ctrl+Y) end in a step that is refused: the scene is read again from `path`
  // and shows `saved`.
  void ExpectReverted(const std::vector<int>& keys, const std::string& path, const std::vector<BYTE>& saved) {
    boxes.boxes.clear();
    for (int key : keys) Key(key);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, XString(UINT{40046}).str());
    ASSERT_EQ(app.CountOpenScenes(), 1);
    EXPECT_EQ(Scene().GetPathName().str(), path);
    EXPECT_EQ(document_test::Snapshot(Scene()), saved);
  }
  // Edit Object (Ctrl+B) on the selected object, its Artistic tab clicked, then OK.
  void EditObjectArtisticThenOk() {
    RunModal(
        [&] {
          Key(Qt::Key_B);
          return 0;
        },
        [](QDialog* window) {
          auto* tabs = window->findChild<QTabBar*>();
          ASSERT_NE(tabs, nullptr);
          QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
          ASSERT_EQ(tabs->currentIndex(), 1);
          for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->text() == "OK") QTest::mouseClick(button, Qt::LeftButton);
        });
  }
};

MeshSO& MeshOf(GroupSO& group) { return dynamic_cast<MeshSO&>(*static_cast<VisualSO*>(group.GetFirstVisual())); }

Ptr<RefCount> RecordWithoutGroups(int kind, XDocument& doc) {
  if (kind == kUndoAddGroups) return new AddGroupsUndoData;
  if (kind == kUndoTransformGroups) return new TransformGroupsUndoData;
  Ptr<DeleteGroupsUndoData> deleted(new DeleteGroupsUndoData);
  deleted->image.Store(&doc, [](CArchive&) {});
  return deleted;
}

TEST_F(DamagedHistory, RecordsWithoutGroupsAreRefusedWhenUndoneAndFailTheOpen) {
  Key(Qt::Key_N);
  const std::string path = Save(Scene());
  ASSERT_NE(Reopen(Scene(), path), nullptr);  // the scene has a file to go back to
  const std::vector<BYTE> saved = document_test::Snapshot(Scene());
  const std::string damaged = folder / "damaged.tvr";
  for (int kind : {kUndoAddGroups, kUndoDeleteGroups, kUndoTransformGroups}) {
    SCOPED_TRACE(kind);
    const Ptr<RefCount> data = RecordWithoutGroups(kind, Scene());
    Scene().AddRecord(new ModRec(kind, data, 389, TRUE, ""));
    ExpectReverted({Qt::Key_Z}, path, saved);
    // The program writes such a record, and refuses it when reading.
    Scene().AddRecord(new ModRec(kind, data, 389, TRUE, ""));
    ASSERT_TRUE(Scene().OnSaveDocument(damaged.c_str()));
    EXPECT_EQ(Open(damaged), nullptr);
    EXPECT_EQ(app.CountOpenScenes(), 1);
  }
}

Ptr<RefCount> Added(std::initializer_list<GroupSO*> groups) {
  Ptr<AddGroupsUndoData> data(new AddGroupsUndoData);
  for (GroupSO* group : groups) data->groups.AddTail(HandleOf(*group));
  return data;
}

using RecordMaker = std::function<Ptr<RefCount>(XDocument& doc, X3DView& view, GroupSO& object)>;

// Each record names what its kind may not change, in a scene of one object holding a child: the
// step is refused before anything changes or the window goes.
TEST_F(DamagedHistory, RecordsNamingWhatTheirKindMayNotChangeAreRefused) {
  Key(Qt::Key_N);
  Ptr<GroupSO> object = document_test::NewGroup(Scene(), "A");
  object->AddGroup(document_test::NewGroup(Scene(), "Child"));
  Scene().AddGroup(object, FALSE, FALSE, 0);
  object = nullptr;
  const std::string path = Save(Scene());
  ASSERT_NE(Reopen(Scene(), path), nullptr);
  const std::vector<BYTE> saved = document_test::Snapshot(Scene());
  const std::pair<int, RecordMaker> records[] = {
      {kUndoAddGroups, [](XDocument& doc, X3DView&, GroupSO&) { return Added({doc.GetSunlight()}); }},
      {kUndoDeleteGroups,
       [](XDocument& doc, X3DView&, GroupSO&) -> Ptr<RefCount> {
         Ptr<DeleteGroupsUndoData> under(new DeleteGroupsUndoData);
         under->image.Store(&doc, [&](CArchive& ar) { document_test::NewGroup(doc, "B")->Serialize(ar); });
         under->parents.AddTail(HandleOf(*doc.GetSunlight()));
         return static_cast<DeleteGroupsUndoData*>(under);
       }},
      {kUndoChangeSelected,
       [](XDocument& doc, X3DView&, GroupSO&) -> Ptr<RefCount> {
         Ptr<ChangeSelectedUndoData> selected(new ChangeSelectedUndoData);
         selected->selected.AddTail(HandleOf(*doc.GetSunlight()));
         return static_cast<ChangeSelectedUndoData*>(selected);
       }},
      {kUndoTransformGroups,
       [](XDocument& doc, X3DView&, GroupSO&) -> Ptr<RefCount> {
         Ptr<TransformGroupsUndoData> moved(new TransformGroupsUndoData);
         moved->transforms.AddTail(Transform(0.5, Vector(0, 1, 0)));
         moved->scales.AddTail(Vector(1, 1, 1));
         moved->groups.AddTail(HandleOf(*doc.GetScene()));
         return static_cast<TransformGroupsUndoData*>(moved);
       }},
      {kUndoAddGroups, [](XDocument&, X3DView&, GroupSO& a) { return Added({&a, HeadOf(a.GetGroups())}); }},
      {kUndoEditCamera,
       [](XDocument&, X3DView& view, GroupSO& a) -> Ptr<RefCount> {
         return new EditCameraUndoData(view.settings, HandleOf(a));
       }},
      {kUndoOpenWindow,
       [](XDocument&, X3DView& view, GroupSO&) -> Ptr<RefCount> {
         Ptr<OpenWindowUndoData> opened(new OpenWindowUndoData);  // the scene's last window
         opened->frameMyself = GetDocumentApp().GetFrameMyself(*view.GetParentFrame());
         return static_cast<OpenWindowUndoData*>(opened);
       }},
  };
  for (const auto& [kind, make] : records) {
    SCOPED_TRACE(&make - &records[0].second);
    XDocument& doc = Scene();
    GroupSO* a = nullptr;
    for (POSITION pos = doc.GetScene()->GetGroups().GetHeadPosition(); pos;) {
      GroupSO* group = doc.GetScene()->GetGroups().GetNext(pos);
      if (std::string(group->GetName()) == "A") a = group;
    }
    ASSERT_NE(a, nullptr);
    doc.AddRecord(new ModRec(kind, make(doc, *Views(doc).at(0), *a), 385, TRUE, ""));
    ExpectReverted({Qt::Key_Z}, path, saved);
    Views(Scene()).at(0)->GetWidget()->repaint();
  }
}

TEST_F(DamagedHistory, ACurrentRecordOutOfStepWithTheSceneRevertsItOnTheStepThatCannotApply) {
  Key(Qt::Key_N);
  Views(Scene()).at(0)->ImportFile(kCube.c_str());
  XDocument& doc = Scene();
  XList<Ptr<GroupSO>> cube;
  cube.AddTail(doc.GetSelected(0));
  doc.RecordUndo(kUndoTransformGroups, &cube, 0);  // as a move records it
  cube.GetHead()->SetTransform(Transform(0.5, Vector(0, 1, 0)));
  Key(Qt::Key_Delete, Qt::NoModifier);
  ASSERT_EQ(doc.GetHistory().GetModIndex(), 2);
  const std::string path = Save(doc);
  doc.OnCloseDocument();
  // The current index, before the most records kept (all) and the scene's schema word: the
  // file says that only the import is in effect.
  Bytes bytes = FileBytes(path);
  bytes[FindLast(bytes, {2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0x80})] = 0;
  WriteBytes(path, bytes);
  XDocument* read = Open(path);
  ASSERT_NE(read, nullptr);
  // The move's redo names the cube, which the scene no longer holds.
  ExpectReverted({Qt::Key_Y}, path, document_test::Snapshot(*read));
  EXPECT_EQ(Scene().GetHistory().GetModIndex(), 0);
}

TEST_F(DamagedHistory, RecordsNamingAnotherKindOfObjectRevertTheSceneOnUndo) {
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  XDocument& doc = Scene();
  camera.SetZoom(XSize(2, 2), XSize(1, 1), TRUE);  // the window's handle enters the history
  camera.ImportFile(kCube.c_str());
  camera.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);  // and is named again
  doc.RecordUndo(kUndoEditGroup, doc.GetSelected(0), 0);  // as the Edit Object sheet records it
  const std::string path = Save(doc);
  doc.OnCloseDocument();
  const Bytes good = FileBytes(path);
  // Each record's data ends before its flag and text number: the second zoom's handle before its
  // zoom and scroll ratio, the edited cube's right there.
  const std::size_t zoomed = FindLast(good, {1, 0x6F, 1, 0, 0}) - 32 - 2;
  const std::size_t edited = FindLast(good, {1, 0x81, 1, 0, 0}) - 2;
  for (const auto& [at, from, undos] : {std::tuple{edited, zoomed, 1}, {zoomed, edited, 2}}) {
    SCOPED_TRACE(at);
    Bytes bad = good;
    std::copy_n(good.begin() + static_cast<long>(from), 2, bad.begin() + static_cast<long>(at));
    WriteBytes(path, bad);
    XDocument* read = Open(path);
    ASSERT_NE(read, nullptr);
    const std::vector<BYTE> saved = document_test::Snapshot(*read);
    ExpectReverted(std::vector<int>(undos, Qt::Key_Z), path, saved);
    Scene().OnCloseDocument();
  }
}

// An Edit Object record holding a style or brush the Artistic page cannot show is refused on Undo
// before the object takes it (Edit Object would stop on it).
TEST_F(DamagedHistory, AnEditRecordWithAStyleOrBrushThePageCannotShowRevertsTheScene) {
  Key(Qt::Key_N);
  Views(Scene()).at(0)->ImportFile(kCube.c_str());
  const std::string path = Save(Scene());
  ASSERT_NE(Reopen(Scene(), path), nullptr);
  const std::vector<BYTE> saved = document_test::Snapshot(Scene());
  for (const auto& [style, brush] : {std::pair{3, 3}, {1, 0}}) {
    SCOPED_TRACE(brush);
    const Ptr<ModRec> record = Scene().CreateUndoData(kUndoEditGroup, Scene().GetSelected(0), 0);
    auto& data = dynamic_cast<EditGroupUndoData&>(*record->GetData());
    data.style = style;
    data.brushSize = brush;
    ++data.silhouetteWidth;  // a change of look, which gives the object the whole look
    Scene().AddRecord(record);
    ExpectReverted({Qt::Key_Z}, path, saved);
  }
}

using PartLooksDamage = std::function<void(XList<Material>& tex, XList<Material>& untex)>;

// The part lists the Artistic page refuses: of different counts, empty, or of different names.
const PartLooksDamage kPartLooksDamages[] = {
    [](XList<Material>& tex, XList<Material>&) { tex.AddTail(Material()); },
    [](XList<Material>& tex, XList<Material>& untex) {
      tex.RemoveAll();
      untex.RemoveAll();
    },
    [](XList<Material>&, XList<Material>& untex) { untex.GetHead().name = "Other"; },
};

// Edit Object records holding line widths, part lists or an object that the Artistic page cannot
// show are refused on Undo, and the page then opens on the reverted scene. The scene holds two
// cubes sharing their mesh, one of them inside a group of no visual of its own.
TEST_F(DamagedHistory, EditRecordsTheArtisticPageCannotShowRevertTheScene) {
  Key(Qt::Key_N);
  X3DView& view = *Views(Scene()).at(0);
  view.ImportFile(kCube.c_str());
  Ptr<GroupSO> shown = Scene().GetSelected(0);
  view.ImportFile(kCube.c_str());
  Ptr<GroupSO> held = Scene().GetSelected(0);
  MeshOf(*shown).SetEditAllCopies(TRUE, shown);
  MeshOf(*held).SetName(MeshOf(*shown).GetName());
  MeshOf(*held).SetEditAllCopies(TRUE, held);
  Ptr<GroupSO> parent = document_test::NewGroup(Scene(), "Parent");
  parent->AddGroup(held);
  Scene().AddGroup(parent, FALSE, FALSE, 0);
  Scene().SelectOnly(shown, FALSE, 0);
  shown = held = parent = nullptr;
  const std::string path = Save(Scene());
  const std::string damaged = folder / "damaged.tvr";
  using Damage = std::function<void(EditGroupUndoData&)>;
  const auto parts = [](const PartLooksDamage& damage) {
    return std::pair{false, Damage([damage](EditGroupUndoData& data) { damage(data.texMats, data.untexMats); })};
  };
  const std::pair<bool, Damage> records[] = {  // whether the record names the parent, its damage
      {false, [](EditGroupUndoData& data) { data.silhouetteWidth = 0x80000000u; }},
      {false, [](EditGroupUndoData& data) { data.surfaceWidth = 0xFFFFFFFFu; }},
      parts(kPartLooksDamages[0]),
      parts(kPartLooksDamages[1]),
      parts(kPartLooksDamages[2]),
      {true, [](EditGroupUndoData& data) { data.editAllCopies = FALSE; }},
  };
  for (std::size_t i = 0; i < std::size(records); ++i) {
    SCOPED_TRACE(i);
    const auto& [ofParent, damage] = records[i];
    ASSERT_NE(Reopen(Scene(), path), nullptr);
    XDocument& doc = Scene();
    GroupSO* target = nullptr;
    for (POSITION pos = doc.GetScene()->GetGroups().GetHeadPosition(); pos;) {
      GroupSO* group = doc.GetScene()->GetGroups().GetNext(pos);
      if (group->GetVisuals().IsEmpty() == ofParent) target = group;
    }
    ASSERT_NE(target, nullptr);
    const Ptr<ModRec> record = doc.CreateUndoData(kUndoEditGroup, target, 0);
    damage(dynamic_cast<EditGroupUndoData&>(*record->GetData()));
    doc.AddRecord(record);
    ASSERT_TRUE(doc.OnSaveDocument(damaged.c_str()));
    doc.OnCloseDocument();
    XDocument* read = Open(damaged);
    ASSERT_NE(read, nullptr);
    ExpectReverted({Qt::Key_Z}, damaged, document_test::Snapshot(*read));
    EditObjectArtisticThenOk();
  }
}

// An object stored without its mesh keeps the part lists it was read with, which the Artistic page
// shows: lists it cannot show fail the open.
TEST_F(DamagedHistory, AnObjectWithoutItsMeshWhosePartListsThePageCannotShowFailsTheOpen) {
  Key(Qt::Key_N);
  Views(Scene()).at(0)->ImportFile(kCube.c_str());
  const std::string path = Save(Scene());
  Scene().OnCloseDocument();
  const std::string damaged = folder / "damaged.tvr";
  for (const PartLooksDamage& damage : kPartLooksDamages) {
    SCOPED_TRACE(&damage - &kPartLooksDamages[0]);
    ASSERT_NE(Open(path), nullptr);
    MeshSO& cube = MeshOf(*Scene().GetSelected(0));
    damage(cube.texMats, cube.untexMats);
    const IUPtr<IDirect3DRMMesh> kept = cube.mesh;
    cube.mesh = nullptr;  // as an object whose mesh failed to load is stored
    ASSERT_TRUE(Scene().OnSaveDocument(damaged.c_str()));
    cube.mesh = kept;
    Scene().OnCloseDocument();
    EXPECT_EQ(Open(damaged), nullptr);
    EXPECT_EQ(app.CountOpenScenes(), 0);
  }
  // The lists as the program keeps them open, and the page shows them.
  ASSERT_NE(Open(path), nullptr);
  EditObjectArtisticThenOk();
}

// An Edit Object record placing the object far beyond any camera's reach: its Undo takes the
// windows that follow the scene's extent out with it, where the 3D layer sees nothing, and Improve
// Camera Image (Ctrl+Q) in such a window that blurs still improves the background it shows.
TEST_F(DamagedHistory, AnObjectUndoneFarAwayLeavesBlurringWindowsThatImprove) {
  Key(Qt::Key_N);
  Views(Scene()).at(0)->ImportFile(kCube.c_str());
  Key(Qt::Key_R);  // Front, Top and Left windows
  for (X3DView* view : Views(Scene())) view->settings.fstop = 8;  // as the Focus page sets it
  const std::string path = Save(Scene());
  Scene().OnCloseDocument();
  const std::string damaged = folder / "damaged.tvr";
  for (double far : {-2.65e25, 1e20}) {
    SCOPED_TRACE(far);
    XDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    const Ptr<ModRec> record = doc->CreateUndoData(kUndoEditGroup, doc->GetSelected(0), 0);
    dynamic_cast<EditGroupUndoData&>(*record->GetData()).transform.t[2] = far;
    doc->AddRecord(record);
    ASSERT_TRUE(doc->OnSaveDocument(damaged.c_str()));
    doc->OnCloseDocument();
    ASSERT_NE(Open(damaged), nullptr);
    Key(Qt::Key_Z);
    int improved = 0;
    for (X3DView* view : Views(Scene())) {
      if (view->settings.windowKind == 0) continue;
      main->MDIActivate(view->GetParentFrame());
      Key(Qt::Key_Q);
      improved += view->improved ? 1 : 0;
    }
    EXPECT_EQ(improved, 3);
    Scene().OnCloseDocument();
  }
}

// A camera record carries the window's lens and position unchecked: values only a damaged file
// holds are taken from a new window, and the window paints.
TEST_F(DamagedHistory, ACameraRecordWithUnusableValuesUndoesToANewWindowsCamera) {
  Key(Qt::Key_N);
  X3DView& view = *Views(Scene()).at(0);
  const CameraFields before = view.settings;
  const CameraFields fresh = X3DView::NewWindowSettings();
  CameraFields bad = before;
  bad.focal = 0;
  bad.height = std::numeric_limits<double>::quiet_NaN();
  bad.front = -1;
  bad.focus = 1e30;
  bad.fstop = -2;
  bad.linearSensitivity = 0;
  bad.transform.m[0][0] = bad.transform.m[1][1] = bad.transform.m[2][2] = 0;  // no inverse
  Scene().AddRecord(new ModRec(kUndoEditCamera, new EditCameraUndoData(bad, view.GetViewMyself()), 385, TRUE, ""));
  boxes.boxes.clear();
  Key(Qt::Key_Z);
  EXPECT_TRUE(boxes.boxes.empty());
  ASSERT_EQ(Views(Scene()).size(), 1u);
  EXPECT_EQ(view.settings.focal, fresh.focal);
  EXPECT_EQ(view.settings.height, fresh.height);
  EXPECT_EQ(view.settings.front, fresh.front);
  EXPECT_EQ(view.settings.focus, fresh.focus);
  EXPECT_EQ(view.settings.fstop, fresh.fstop);
  EXPECT_EQ(view.settings.linearSensitivity, fresh.linearSensitivity);
  EXPECT_FALSE(view.settings.transform != fresh.transform);
  view.GetWidget()->repaint();
  // Redo puts back the camera the undo found.
  Key(Qt::Key_Y);
  EXPECT_EQ(view.settings.focal, before.focal);
  EXPECT_FALSE(view.settings.transform != before.transform);
}

}  // namespace
