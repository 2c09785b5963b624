// A camera window's frame: from the document's change (needsRender) to the image ready for the
// screen, of a scene of 20 objects of 1,000 triangles each with cartoon lines, blurred by depth,
// at 640x480 and 1280x960. The window keeps its surfaces and blur buffers between frames.
#include <benchmark/benchmark.h>

#include "platform/win/QtTestApplication.h"
#include "views/CylinderRowsWindow.h"

namespace {

void CameraWindowFrame(benchmark::State& state) {
  QtTestApplication qt;
  StandAloneApp app;
  CylinderRowsWindow shown(250, {0, 0, 1400, 1100}, WS_VISIBLE, static_cast<int>(state.range(0)),
                           static_cast<int>(state.range(1)));  // 1,000 triangles each
  X3DView& view = shown.view;
  shown.LookAlongTheRowsBlurred();
  view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  for (auto _ : state) {
    view.needsRender = TRUE;
    view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  }
}
BENCHMARK(CameraWindowFrame)->Args({640, 480})->Args({1280, 960})->Unit(benchmark::kMillisecond);

}  // namespace
