// Edits of every kind on a scene with lights, nested groups and two mesh objects sharing one mesh
// read from a file: undoing them all gives back the
// first scene byte for byte, redoing them all the last; the history written beside the scene and
// read back into a new document still undoes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "document/DocumentTestSupport.h"
#include "platform/framework/MemFile.h"

namespace {

using document_test::NewGroup;
using document_test::RecordingView;
using document_test::SceneFixture;
using document_test::Snapshot;
using Bytes = std::vector<BYTE>;

// A document whose scene is read as a scene file holds it.
class ReadDocument : public XDocument {
 public:
  void Take(const Ptr<GroupSO>& root, const Ptr<LightSO>& ambientLight, const Ptr<GroupSO>& sun) {
    scene = root;
    ambient = ambientLight;
    sunlight = sun;
  }
};

// The history, the scene and the view's identity and camera, as a scene file keeps them together.
Bytes WriteFile(XDocument& doc, RecordingView& view) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar.m_pDocument = &doc;
  ar.MapObject(&doc);
  doc.GetHistory().SetSaveEditHistory(TRUE);
  doc.XUndoDoc::Serialize(ar);
  view.Myself::Serialize(ar);
  Ptr<EditCameraUndoData> camera(new EditCameraUndoData(view.camera, view.GetMyself()));
  camera->Serialize(ar);
  ar << Ptr<GroupSO>(doc.GetScene()) << doc.GetAmbient() << doc.GetSunlight();
  ar.Close();
  const auto length = static_cast<std::size_t>(file.GetLength());
  BYTE* block = file.Detach();
  Bytes bytes(block, block + length);
  std::free(block);
  return bytes;
}

class RoundTripTest : public SceneFixture {
 protected:
  // Applies one edit through the document and keeps the scene it leaves.
  void Edit(const std::function<void()>& edit) {
    edit();
    snapshots.push_back(Snapshot(doc));
  }
  std::vector<Bytes> snapshots;
};

TEST_F(RoundTripTest, UndoAllRedoAllAndUndoAfterReadingTheHistoryBack) {
  snapshots.push_back(Snapshot(doc));
  Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true), table = NewGroup(doc, "Table");
  Ptr<GroupSO> leg = NewGroup(doc, "Leg"), foot = NewGroup(doc, "Foot", true);
  table->AddGroup(leg);
  leg->AddGroup(foot);
  // Two chairs whose mesh objects share one instance of the file's mesh.
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

  Edit([&] { doc.AddGroup(lamp, TRUE, TRUE, 0); });
  Edit([&] { doc.AddGroup(table, TRUE, TRUE, 384); });
  Edit([&] { doc.AddGroup(chairs, TRUE, TRUE, 384); });
  Edit([&] {
    doc.RecordUndo(kUndoEditGroup, chair, 0);
    chair->SetName("Armchair");
    chair->SetTransform(Transform(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 3));
  });
  Edit([&] { doc.ToggleSelect(leg, TRUE, 0); });
  Edit([&] { doc.OnEditSelectAll(); });
  Edit([&] {
    doc.RecordUndo(kUndoTransformGroups, const_cast<XList<Ptr<GroupSO>>*>(&doc.GetSelection()), 402);
    for (POSITION pos = doc.GetSelection().GetHeadPosition(); pos;) {
      GroupSO& g = *doc.GetSelection().GetNext(pos);
      g.SetTransform(Transform(0.3, Vector(0, 1, 0)) * g.GetTransform());
      g.scale = Vector(1.5, 1.5, 1.5);
    }
  });
  Edit([&] {
    doc.OnEditCopy();
    doc.OnEditPaste();
  });
  Edit([&] {
    doc.RecordUndo(kUndoEditGroup, lamp, 0);
    lamp->SetName("Desk lamp");
    lamp->SetTransform(Transform(1, 0, 0, 0, 0, 1, 0, 2, 0, 0, 1, 0));
  });
  Edit([&] {
    doc.RecordUndo(kUndoEditLights, nullptr, 0);
    Color sun(0.9, 0.8, 0.1, 1);
    doc.GetSunlight()->GetLights().GetAt(doc.GetSunlight()->GetLights().GetHeadPosition())->SetColor(sun);
    doc.GetAmbient()->SetColor(Color(0.2, 0.2, 0.3, 1));
    doc.GetSunlight()->SetTransform(Transform(1.1, Vector(1, 0, 0)));
  });
  Edit([&] {
    doc.RecordUndo(kUndoEditCamera, static_cast<CView*>(&View()), 372);
    View().camera.transform = Transform(0.7, Vector(0, 1, 0));
    View().camera.windowKind = 3;
    View().camera.backgroundImagePath = "sky.bmp";
  });
  Edit([&] {
    doc.SelectOnly(leg, TRUE, 0);
    doc.ToggleSelect(foot, TRUE, 0);
  });
  // The selected leg and its selected foot: the leg leaves the table, the foot goes with it.
  Edit([&] { doc.OnEditDelete(); });
  const int records = doc.GetHistory().GetCount();
  ASSERT_EQ(records, 14);

  const int titles = View().titles;
  while (doc.GetHistory().CanUndo()) ASSERT_TRUE(doc.Undo(TRUE));
  EXPECT_EQ(Snapshot(doc), snapshots.front());
  EXPECT_EQ(View().titles, titles + 1) << "the camera's undo re-titles the windows";
  EXPECT_FALSE(doc.IsModified());
  while (doc.GetHistory().CanRedo()) ASSERT_TRUE(doc.Redo(TRUE));
  EXPECT_EQ(Snapshot(doc), snapshots.back());
  EXPECT_EQ(doc.GetHistory().GetRecord(records - 1)->GetDescription(), "Delete Object Leg");

  // Read back into a new document, the last step still undoes from the image read with it.
  const Bytes file = WriteFile(doc, View());
  ReadDocument read;
  read.m_bAutoDelete = FALSE;
  read.DeleteContents();
  RecordingView view;
  read.AddView(&view);
  {
    CMemFile in(const_cast<BYTE*>(file.data()), static_cast<UINT>(file.size()));
    CArchive ar(&in, CArchive::load);
    ar.m_pDocument = &read;
    ar.MapObject(&read);
    read.XUndoDoc::Serialize(ar);
    view.Myself::Serialize(ar);
    EditCameraUndoData camera;
    camera.Serialize(ar);
    view.camera = camera.camera;
    Ptr<GroupSO> scene;
    Ptr<LightSO> ambient;
    Ptr<GroupSO> sunlight;
    ar >> scene >> ambient >> sunlight;
    read.Take(scene, ambient, sunlight);
  }
  EXPECT_EQ(read.GetHistory().GetCount(), records);
  ASSERT_TRUE(read.Undo(TRUE));
  EXPECT_EQ(Snapshot(read), snapshots[snapshots.size() - 2]);
  read.RemoveView(&view);
}

}  // namespace
