// Saves a screenshot of a camera window of cylinder rows: camera_window_screenshot <file.png> [f-stop]
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "platform/framework/PrimarySurfacePresenter.h"
#include "views/CylinderRowsWindow.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file.png> [f-stop]\n", argv[0]);
    return 2;
  }
  QApplication qt(argc, argv);
  PrimarySurfacePresenter presenter;
  StandAloneApp app;
  CylinderRowsWindow shown(24, {20, 20, 660, 500}, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 640, 480);
  X3DView& view = shown.view;
  if (argc > 2) {
    view.settings.fstop = std::atof(argv[2]);
    view.settings.focus = 1.2;
  }
  QTest::qWait(500);
  view.Invalidate();
  QTest::qWait(500);
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
  return shot.save(argv[1]) ? 0 : 1;
}
