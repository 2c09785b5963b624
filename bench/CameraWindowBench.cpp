// A camera window's frame: from the document's change (needsRender) to the image ready for the
// screen, of a scene of 20 objects of 1,000 triangles each with cartoon lines, blurred by depth,
// at 640x480 and 1280x960. The window keeps its surfaces and blur buffers between frames.
#include <benchmark/benchmark.h>

#include "platform/win/QtTestApplication.h"
#include "views/StandAloneApp.h"
#include "views/X3DView.h"

namespace {

class BenchView : public X3DView {
 public:
  void PostNcDestroy() override {}
};

void CameraWindowFrame(benchmark::State& state) {
  QtTestApplication qt;
  StandAloneApp app;
  {
    XDocument doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    AddCylinderRows(doc, 250);  // 1,000 triangles each
    CWnd parent;
    parent.Create("Bench", WS_VISIBLE, {0, 0, 1400, 1100}, nullptr);
    BenchView view;
    doc.AddView(&view);
    view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))},
                &parent, AFX_IDW_PANE_FIRST);
    view.settings.transform = Transform();
    view.settings.fstop = 2.8;
    view.settings.focus = 1.2;
    view.RenderImage(nullptr, TRUE, nullptr, nullptr);
    for (auto _ : state) {
      view.needsRender = TRUE;
      view.RenderImage(nullptr, TRUE, nullptr, nullptr);
    }
    doc.RemoveView(&view);
    view.DestroyWindow();
    parent.DestroyWindow();
  }
}
BENCHMARK(CameraWindowFrame)->Args({640, 480})->Args({1280, 960})->Unit(benchmark::kMillisecond);

}  // namespace
