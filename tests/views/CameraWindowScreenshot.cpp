// Shows a camera window of a scene on the screen and saves a screenshot of it:
//   camera_window_screenshot <file.png> [f-stop]
// Run under an X server (scripts/camera-window-screenshot.sh starts one). The scene: 20
// cylinders with cartoon lines in four rows in front of the default camera, lit by the scene's sun.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "document/XDocument.h"
#include "platform/framework/PrimarySurfacePresenter.h"
#include "resources/Resources.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

namespace {

class ShotApp : public XApp, public DocumentApp {
 public:
  ShotApp() {
    SetDocumentApp(this);
    Direct3DRMCreate(&lpD3DRM);
    DirectDrawCreate(nullptr, &lpDD, nullptr);
  }
  int GetInteractiveMode() const override { return 0; }
  BOOL GetShowGround() const override { return FALSE; }
  Ptr<MeshSO> GetGroundMesh() override { return nullptr; }
  Ptr<MeshSO> GetCylinderMesh() override { return nullptr; }
  XList<Ptr<GroupSO>>& GetObjectList() override { return objects; }
  BOOL OpenFirstCameraWindow(XDocument&) override { return TRUE; }
  void RefreshDocumentTitles() override {}
  XList<Ptr<GroupSO>> objects;
};

class ShownView : public X3DView {
 public:
  void PostNcDestroy() override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file.png> [f-stop]\n", argv[0]);
    return 2;
  }
  QApplication qt(argc, argv);
  RegisterProgramResources();
  PrimarySurfacePresenter presenter;
  ShotApp app;
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  doc.OnNewDocument();
  for (int i = 0; i < 20; ++i) {
    Ptr<MeshSO> mesh(new MeshSO(24, 0.06, 0.25, 0xFF3060C0));
    mesh->cartoon = 1;
    mesh->silhouetteWidth = 2;
    Ptr<GroupSO> group(new GroupSO);
    group->AddVisual(mesh);
    Transform place(0.3 * i, Vector(0, 1, 0));
    // Four rows along the camera's line of sight, from 1.2 m to 3 m away.
    const double distance = 1.2 + 0.6 * (i / 5);
    place.t[0] = (-0.4 + 0.2 * (i % 5)) * distance;
    place.t[1] = 0.25 - 0.5 * distance;
    place.t[2] = -0.5 + 0.866 * distance;
    group->SetTransform(place);
    doc.AddGroup(group, FALSE, FALSE, 0);
  }
  CWnd frame;
  frame.Create("Camera", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {20, 20, 660, 500}, nullptr);
  ShownView view;
  doc.AddView(&view);
  view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, &frame, AFX_IDW_PANE_FIRST);
  if (argc > 2) {
    view.settings.fstop = std::atof(argv[2]);
    view.settings.focus = 1.2;
  }
  QTest::qWait(500);
  view.Invalidate();
  QTest::qWait(500);
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
  const bool saved = shot.save(argv[1]);
  doc.RemoveView(&view);
  view.DestroyWindow();
  frame.DestroyWindow();
  return saved ? 0 : 1;
}
