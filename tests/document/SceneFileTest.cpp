// The scene file: what is read back, what undoes after reading, what fails the open or the save.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "document/DocumentTestSupport.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"

namespace {

using namespace document_test;
using SceneFileTest = SceneFixture;

Bytes Write(XDocument& doc) {
  return StoreBytes(Backend::memory, [&](CArchive& ar) {
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
  });
}

// A document without views, read from `bytes`.
struct ReadBack : XDocument {
  explicit ReadBack(const Bytes& bytes) {
    m_bAutoDelete = FALSE;
    DeleteContents();
    LoadBytes(Backend::memory, bytes, [&](CArchive& ar) {
      ar.m_pDocument = this;
      Serialize(ar);
    });
  }
};

// The ground and the cylinder are never stored; the rules show them again after reading, after
// writing, and after a write that fails part way.
TEST_F(SceneFileTest, ASceneReadsBackWithoutTheAuxiliaryObjectsWhichTheRulesShowAgain) {
  doc.RemoveView(&View());  // a document read here has no views
  Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true);
  lamp->SetTransform(Transform(0.4, Vector(0, 1, 0)));
  doc.AddGroup(lamp, TRUE, FALSE, 0);
  const Bytes bare = Write(doc);
  ReadBack plain(bare);
  EXPECT_EQ(Snapshot(plain), Snapshot(doc));
  app.showGround = TRUE;
  app.mode = kRotateObjectAboutMode;
  doc.OnShowGroundChanged();
  doc.OnInteractiveModeChanged();
  EXPECT_EQ(Write(doc), bare) << "neither the ground nor the cylinder is stored";
  EXPECT_TRUE(doc.HasGround());
  EXPECT_TRUE(doc.IsRotObjAboutCylShown());
  ReadBack read(bare);
  EXPECT_TRUE(read.HasGround());
  EXPECT_TRUE(read.IsRotObjAboutCylShown());
  EXPECT_EQ(read.GetSelectedCount(), 1);

  app.failWritingWindows = true;
  TemporaryFolder folder;
  ScriptedMessageBoxes boxes;
  EXPECT_FALSE(doc.OnSaveDocument((folder / "scene.tvr").c_str()));
  EXPECT_TRUE(doc.HasGround());
  EXPECT_TRUE(doc.IsRotObjAboutCylShown());
}

TEST_F(SceneFileTest, ANewSceneFileTakesTheModeTheUsersMaskGivesAndAResavedOneKeepsItsOwn) {
  TemporaryFolder folder;
  const std::string path = folder / "scene.tvr";
  const auto saveUnder = [&](mode_t mask) {
    const mode_t previous = ::umask(mask);
    const BOOL saved = doc.OnSaveDocument(path.c_str());
    ::umask(previous);
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return saved ? st.st_mode & 07777 : 01000u;
  };
  EXPECT_EQ(saveUnder(027), 0640u);
  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  EXPECT_EQ(saveUnder(077), 0604u);
}

// Edits of every kind on lights, nested groups and two objects sharing one mesh read from a file.
TEST_F(SceneFileTest, UndoAllRedoAllAndUndoAfterReadingTheHistoryBack) {
  const Bytes first = Snapshot(doc);
  Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true), table = NewGroup(doc, "Table");
  Ptr<GroupSO> leg = NewGroup(doc, "Leg"), foot = NewGroup(doc, "Foot", true);
  table->AddGroup(leg);
  leg->AddGroup(foot);
  const std::string polygons = TAVROLIN_TEST_DATA_DIR "/d3drm/x/polygons.x";
  Ptr<MeshSO> seat(new MeshSO(polygons.c_str(), TRUE, nullptr, FALSE, FALSE));
  Ptr<MeshSO> otherSeat(new MeshSO(polygons.c_str(), TRUE, nullptr, FALSE, FALSE));
  ASSERT_EQ(seat->GetError(), SceneObj::none);
  ASSERT_EQ(otherSeat->mesh, seat->mesh);
  Ptr<GroupSO> chairs = NewGroup(doc, "Chairs"), chair = NewGroup(doc, "Chair"), otherChair = NewGroup(doc, "Chair 2");
  chair->AddVisual(seat);
  otherChair->AddVisual(otherSeat);
  chairs->AddGroup(chair);
  chairs->AddGroup(otherChair);

  doc.AddGroup(lamp, TRUE, TRUE, 0);
  doc.AddGroup(table, TRUE, TRUE, 384);
  doc.AddGroup(chairs, TRUE, TRUE, 384);
  doc.RecordUndo(kUndoEditGroup, chair, 0);
  chair->SetName("Armchair");
  chair->SetTransform(Transform(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 3));
  doc.ToggleSelect(leg, TRUE, 0);
  doc.OnEditSelectAll();
  doc.RecordUndo(kUndoTransformGroups, const_cast<XList<Ptr<GroupSO>>*>(&doc.GetSelection()), 402);
  for (POSITION pos = doc.GetSelection().GetHeadPosition(); pos;) {
    GroupSO& g = *doc.GetSelection().GetNext(pos);
    g.SetTransform(Transform(0.3, Vector(0, 1, 0)) * g.GetTransform());
    g.scale = Vector(1.5, 1.5, 1.5);
  }
  doc.OnEditCopy();
  doc.OnEditPaste();
  doc.RecordUndo(kUndoEditLights, nullptr, 0);
  const XList<Ptr<LightSO>>& sun = doc.GetSunlight()->GetLights();
  sun.GetAt(sun.GetHeadPosition())->SetColor(Color(0.9, 0.8, 0.1, 1));
  doc.GetAmbient()->SetColor(Color(0.2, 0.2, 0.3, 1));
  doc.GetSunlight()->SetTransform(Transform(1.1, Vector(1, 0, 0)));
  doc.RecordUndo(kUndoEditCamera, static_cast<CView*>(&View()), 372);
  View().camera.transform = Transform(0.7, Vector(0, 1, 0));
  View().camera.windowKind = 3;
  View().camera.backgroundImagePath = "sky.bmp";
  doc.SelectOnly(leg, TRUE, 0);
  doc.ToggleSelect(foot, TRUE, 0);
  // The selected leg and its selected foot: the leg leaves the table, the foot goes with it.
  doc.OnEditDelete();
  const Bytes last = Snapshot(doc);
  const int records = doc.GetHistory().GetCount();
  ASSERT_EQ(records, 13);

  const int titles = View().titles;
  while (doc.GetHistory().CanUndo()) ASSERT_TRUE(doc.Undo(TRUE));
  EXPECT_EQ(Snapshot(doc), first);
  EXPECT_EQ(View().titles, titles + 1) << "the camera's undo re-titles the windows";
  while (doc.GetHistory().CanRedo()) ASSERT_TRUE(doc.Redo(TRUE));
  EXPECT_EQ(Snapshot(doc), last);

  // Read back into a new document, the scene is the one written and its last step still undoes.
  doc.RemoveView(&View());
  doc.GetHistory().SetSaveEditHistory(TRUE);
  ReadBack read(Write(doc));
  EXPECT_EQ(Snapshot(read), Snapshot(doc));
  ASSERT_TRUE(read.Undo(TRUE));
  ASSERT_TRUE(doc.Undo(TRUE));
  EXPECT_EQ(Snapshot(read), Snapshot(doc));
}

TEST_F(SceneFileTest, ForeignAndDamagedFilesFailTheOpen) {
  Bytes file = Write(doc);
  ScriptedMessageBoxes boxes;
  file[1] = 't';  // "tavrolin scene file"
  EXPECT_THROW(ReadBack{file}, CUserException);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.rfind("This file is not a Tavrolin scene.", 0), 0u);
  file[1] = 'T';
  for (std::size_t cut : {file.size() / 2, file.size() - 1})
    EXPECT_THROW(ReadBack(Bytes(file.begin(), file.begin() + static_cast<long>(cut))), CArchiveException);

  // Values that later edits check fatally: a selection naming a group twice, a sunlight of two lights.
  Ptr<GroupSO> a = NewGroup(doc, "A"), b = NewGroup(doc, "B");
  doc.AddGroup(a, TRUE, FALSE, 0);
  doc.AddGroup(b, FALSE, FALSE, 0);
  const Bytes one = Write(doc);
  doc.ToggleSelect(b, FALSE, 0);
  Bytes twice = Write(doc);
  ReadBack{twice};
  // The files differ first in the selection's count, which two references follow.
  const auto count = std::mismatch(one.begin(), one.end(), twice.begin()).first - one.begin();
  std::copy_n(twice.begin() + count + 2, 2, twice.begin() + count + 4);
  EXPECT_THROW(ReadBack{twice}, CArchiveException);
  doc.GetSunlight()->AddLight(new LightSO, &doc);
  EXPECT_THROW(ReadBack{Write(doc)}, CArchiveException);
}

// A file whose scene is missing and whose selection holds an object with a light: the light has no
// scene to light while it is read.
TEST_F(SceneFileTest, ALightReadWhereTheFileHasNoSceneFailsTheOpen) {
  Ptr<GroupSO> holder = NewGroup(doc, "Lamp");
  const Ptr<LightSO> light = new LightSO;
  holder->AddLight(light, &doc);
  XList<Ptr<GroupSO>> selection;
  selection.AddTail(holder);
  const Bytes file = StoreBytes(Backend::memory, [&](CArchive& ar) {
    ar.m_pDocument = &doc;
    ar.MapObject(&doc);
    ar << CString("Tavrolin scene file");
    doc.XUndoDoc::Serialize(ar);
    ar << static_cast<DWORD>(doc.GetRuntimeClass()->m_wSchema);
    ar << Ptr<GroupSO>();
    selection.Serialize(ar);
  });
  EXPECT_THROW(ReadBack{file}, CArchiveException);
  holder->RemoveLight(light);
}

}  // namespace
