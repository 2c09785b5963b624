// A camera window's frame: from the document's change (needsRender) to the image ready for the
// screen, of a scene of 20 objects of 1,000 triangles each with cartoon lines, blurred by depth,
// at 640x480 and 1280x960. The window keeps its surfaces and blur buffers between frames.
#include <benchmark/benchmark.h>

#include "document/XDocument.h"
#include "platform/win/QtTestApplication.h"
#include "resources/Resources.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

namespace {

class BenchApp : public XApp, public DocumentApp {
 public:
  BenchApp() : previous(SetDocumentApp(this)) {
    Direct3DRMCreate(&lpD3DRM);
    DirectDrawCreate(nullptr, &lpDD, nullptr);
  }
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

class BenchView : public X3DView {
 public:
  void PostNcDestroy() override {}
};

void CameraWindowFrame(benchmark::State& state) {
  QtTestApplication qt;
  RegisterProgramResources();
  BenchApp app;
  {
    XDocument doc;
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    // 20 cylinders of 250 segments (1,000 triangles each) in a 5 x 4 block in front of the camera.
    for (int i = 0; i < 20; ++i) {
      Ptr<MeshSO> mesh(new MeshSO(250, 0.08, 0.3, 0xFF3060C0));
      mesh->cartoon = 1;
      mesh->silhouetteWidth = 2;
      Ptr<GroupSO> group(new GroupSO);
      group->AddVisual(mesh);
      Transform place;
      place.t[0] = -0.5 + 0.25 * (i % 5);
      place.t[1] = -0.2 + 0.15 * (i / 5);
      place.t[2] = 0.6 + 0.1 * (i % 3);
      group->SetTransform(place);
      doc.AddGroup(group, FALSE, FALSE, 0);
    }
    CWnd parent;
    parent.Create("Bench", WS_VISIBLE, {0, 0, 1400, 1100}, nullptr);
    BenchView view;
    doc.AddView(&view);
    view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1))},
                &parent, AFX_IDW_PANE_FIRST);
    view.settings.transform = Transform();
    view.settings.fstop = 2.8;
    view.settings.focus = 0.7;
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
