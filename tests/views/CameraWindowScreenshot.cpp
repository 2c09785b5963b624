// Shows a camera window of a scene on the screen and saves a screenshot of it:
//   camera_window_screenshot <file.png> [f-stop]
// Run under an X server (scripts/camera-window-screenshot.sh starts one). The scene: 20
// cylinders with cartoon lines in four rows in front of the default camera, lit by the scene's sun.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "platform/framework/PrimarySurfacePresenter.h"
#include "views/StandAloneApp.h"
#include "views/X3DView.h"

namespace {

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
  PrimarySurfacePresenter presenter;
  StandAloneApp app;
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  doc.OnNewDocument();
  AddCylinderRows(doc, 24);
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
