#include <benchmark/benchmark.h>

#include <cstdlib>

#include "document/EditHistory.h"
#include "document/SelectionUndoData.h"
#include "document/UndoDataKinds.h"
#include "document/UndoKind.h"
#include "platform/framework/MemFile.h"
#include "resources/ProgramResources.h"

namespace {

class Thing : public Myself {};

// A history of 1,000 move records over ten objects, written into a scene file's history block
// and read back.
void BM_HistoryWriteAndRead(benchmark::State& state) {
  RegisterProgramResources();
  Ptr<Thing> things[10];
  for (auto& t : things) t = new Thing;
  EditHistory history;
  history.SetSaveEditHistory(TRUE);
  history.SetMaxUndo(1000);
  for (int i = 0; i < 1000; ++i) {
    Ptr<TransformGroupsUndoData> data(new TransformGroupsUndoData);
    for (int n = 0; n <= i % 3; ++n) {
      data->transforms.AddTail(Transform(1, 0, 0, i, 0, 1, 0, n, 0, 0, 1, 0));
      data->scales.AddTail(Vector(1, 1, 1));
      data->groups.AddTail(HandleOf(*things[(i + n) % 10]));
    }
    history.AddRecord(new ModRec(kUndoTransformGroups, data, 402, TRUE, "Chair"));
  }
  for (auto _ : state) {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      history.Serialize(ar);
      ar.Close();
    }
    const auto length = static_cast<UINT>(file.GetLength());
    BYTE* block = file.Detach();
    {
      CMemFile in(block, length);
      CArchive ar(&in, CArchive::load);
      EditHistory read;
      read.Serialize(ar, &UndoDataFitsKind);
      benchmark::DoNotOptimize(read.GetCount());
    }
    std::free(block);
  }
}
BENCHMARK(BM_HistoryWriteAndRead)->Unit(benchmark::kMillisecond);

}  // namespace

#include "document/XDocument.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"

namespace {

// The application a scene document needs, without windows.
class BenchApp : public XApp, public DocumentApp {
 public:
  BenchApp() : previous(SetDocumentApp(this)) { (void)Direct3DRMCreate(&lpD3DRM); }
  ~BenchApp() override { SetDocumentApp(previous); }
  int GetInteractiveMode() const override { return 0; }
  BOOL GetShowGround() const override { return FALSE; }
  Ptr<MeshSO> GetGroundMesh() override { return nullptr; }
  Ptr<MeshSO> GetCylinderMesh() override { return nullptr; }
  XList<Ptr<GroupSO>>& GetObjectList() override { return objects; }
  BOOL OpenFirstCameraWindow(XDocument&) override { return TRUE; }
  void RefreshDocumentTitles() override {}
  XList<Ptr<GroupSO>> objects;
  DocumentApp* previous;
};

// One move of 100 selected groups: the record taken before the move, the move, and its undo.
void BM_RecordAndUndoMoveOf100Groups(benchmark::State& state) {
  RegisterProgramResources();
  BenchApp app;
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  doc.OnNewDocument();
  for (int i = 0; i < 100; ++i) {
    Ptr<GroupSO> group(new GroupSO);
    doc.AddGroup(group, FALSE, FALSE, 0);
    doc.ToggleSelect(group, FALSE, 0);
  }
  auto* selection = const_cast<XList<Ptr<GroupSO>>*>(&doc.GetSelection());
  const Transform step(1, 0, 0, 0.01, 0, 1, 0, 0, 0, 0, 1, 0);
  for (auto _ : state) {
    doc.RecordUndo(kUndoTransformGroups, selection, 402);
    for (POSITION pos = selection->GetHeadPosition(); pos;) {
      GroupSO& group = *selection->GetNext(pos);
      group.SetTransform(step * group.GetTransform());
    }
    doc.Undo(TRUE);
  }
}
BENCHMARK(BM_RecordAndUndoMoveOf100Groups)->Unit(benchmark::kMillisecond);

}  // namespace
