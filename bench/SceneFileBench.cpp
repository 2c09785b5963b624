// Opening a scene file: 100 objects (ten copies each of ten shipped objects) shown in one camera
// window, with an edit history of 1,000 records; from the file to the document with its window.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "views/ShippedObjectScene.h"
#include "views/WindowedApp.h"

namespace {

void OpenSceneFile(benchmark::State& state) {
  WindowedApp app;
  const std::string path = (std::filesystem::temp_directory_path() / "tavrolin-bench-scene.tvr").string();
  {
    XDocument doc;
    doc.m_bAutoDelete = FALSE;
    doc.SetSaveEditHistory(TRUE);
    doc.OnNewDocument();
    AddShippedCopies(doc, ShippedObjects(TAVROLIN_OBJECTS_DIR, 10), 10);
    AddSelectAndTurnRecords(doc, 1000);
    if (doc.GetHistory().GetCount() != 1000 || !doc.OnSaveDocument(path.c_str())) state.SkipWithError("scene");
    app.CloseWindows(doc);
  }
  int groups = 0;
  for (auto _ : state) {
    XDocument doc;
    doc.m_bAutoDelete = FALSE;
    if (!doc.OnOpenDocument(path.c_str())) state.SkipWithError("open");
    state.PauseTiming();
    groups = doc.GetScene()->GetGroups().GetCount() - 1;  // without the sunlight
    app.CloseWindows(doc);
    state.ResumeTiming();
  }
  state.counters["objects"] = groups;
  state.counters["fileBytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(OpenSceneFile)->Unit(benchmark::kMillisecond);

}  // namespace
