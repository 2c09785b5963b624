// Big scenes: Undo All and Redo All of scenes of shipped objects with ten records per object, and
// adding objects one by one. A step's cost should not grow with the scene, so the time per record
// should stay flat from the smallest scene to the largest.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "views/ShippedObjectScene.h"
#include "views/WindowedApp.h"

namespace {

constexpr int kRecordsPerObject = 10;
constexpr int kShippedKinds = 10;

// `objects` copies of ten shipped objects, each added by a record, then select and turn records up
// to ten records per object; the scene is shown in one camera window.
struct BigScene {
  explicit BigScene(int objects) {
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    doc.SetMaxUndo(objects * kRecordsPerObject);
    AddShippedCopies(doc, ShippedObjects(TAVROLIN_OBJECTS_DIR, kShippedKinds), objects / kShippedKinds);
    AddSelectAndTurnRecords(doc, objects * kRecordsPerObject);
  }
  ~BigScene() { WindowedApp::CloseWindows(doc); }
  BigScene(const BigScene&) = delete;
  BigScene& operator=(const BigScene&) = delete;

  void UndoAll() {
    while (doc.GetHistory().CanUndo()) doc.Undo(FALSE);
  }
  void RedoAll() {
    while (doc.GetHistory().CanRedo()) doc.Redo(FALSE);
  }

  XDocument doc;
};

void CountRecords(benchmark::State& state, const BigScene& scene) {
  // Seconds per record.
  state.counters["perRecord"] = benchmark::Counter(scene.doc.GetHistory().GetCount(),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

void UndoAll(benchmark::State& state) {
  WindowedApp app;
  BigScene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    scene.UndoAll();
    state.PauseTiming();
    scene.RedoAll();
    state.ResumeTiming();
  }
  CountRecords(state, scene);
}
BENCHMARK(UndoAll)->Arg(500)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

void RedoAll(benchmark::State& state) {
  WindowedApp app;
  BigScene scene(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    scene.UndoAll();
    state.ResumeTiming();
    scene.RedoAll();
  }
  CountRecords(state, scene);
}
BENCHMARK(RedoAll)->Arg(500)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

// Copies of the shipped objects added one at a time, each selected and recorded as an import is.
void AddObjectsOneByOne(benchmark::State& state) {
  WindowedApp app;
  std::vector<Ptr<GroupSO>> kinds;
  for (const std::string& file : ShippedObjects(TAVROLIN_OBJECTS_DIR, kShippedKinds)) {
    Ptr<GroupSO> object(new GroupSO);
    object->AddVisual(Ptr<MeshSO>(new MeshSO(file.c_str(), TRUE, nullptr, FALSE, FALSE)));
    kinds.push_back(object);
  }
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<Ptr<GroupSO>> groups;
    for (int i = 0; i < count; ++i) {
      Ptr<GroupSO> group = kinds[static_cast<std::size_t>(i) % kinds.size()]->Copy(FALSE);
      Transform place(0.4 * i, Vector(0, 1, 0));
      place.t[0] = 3.0 * (i % 50);
      place.t[2] = 3.0 * (i / 50);
      group->SetTransform(place);
      groups.push_back(group);
    }
    auto doc = std::make_unique<XDocument>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    doc->SetMaxUndo(count);
    state.ResumeTiming();
    for (const Ptr<GroupSO>& group : groups) doc->AddGroup(group, TRUE, TRUE, 0);
    state.PauseTiming();
    WindowedApp::CloseWindows(*doc);
    doc.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(AddObjectsOneByOne)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace
