// Shows a camera window on the screen, improves it, copies its picture to the desktop clipboard
// and exports the same view as a BMP file; then reads the clipboard back as PNG from a second
// process (xclip) and compares its pixels with the file's:
//   camera_image_output_check <output folder>
// Writes camera-window-normal.png, camera-window-improved.png (screenshots), exported.bmp and
// pasted.png into the folder. Run under an X server (scripts/clipboard-round-trip.sh starts one).
// Exit code 0 when the pasted picture equals the exported one pixel for pixel.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <string>

#include "platform/framework/PrimarySurfacePresenter.h"
#include "platform/win/QtPlatform.h"
#include "views/CylinderRowsWindow.h"

namespace {

bool Screenshot(CWnd& frame, const QString& path) {
  QTest::qWait(300);
  const QRect area = frame.GetWidget()->frameGeometry();
  return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
}

// The clipboard as another program pastes it; this process answers while it waits.
QByteArray PasteFromAnotherProgram() {
  QProcess xclip;
  xclip.start("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"});
  while (!xclip.waitForFinished(10)) QCoreApplication::processEvents();
  return xclip.readAllStandardOutput();
}

int Differences(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) ++count;
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]) + "/";
  QApplication qt(argc, argv);
  InstallQtPlatform();
  PrimarySurfacePresenter presenter;
  StandAloneApp app;
  CylinderRowsWindow shown(24, {20, 20, 340, 260}, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 320, 240);
  X3DView& view = shown.view;
  CWnd& frame = shown.frame;
  QTest::qWait(300);
  view.Invalidate();
  bool ok = Screenshot(frame, out + "camera-window-normal.png");
  view.SendMessage(WM_COMMAND, kImproveCommand);
  ok = Screenshot(frame, out + "camera-window-improved.png") && ok;

  // Copy Image with the preferences' defaults: the client size, supersampled.
  CRect client;
  view.GetClientRect(&client);
  view.SendMessage(WM_COMMAND, kCopyImageCommand);
  const std::vector<BYTE> file = view.RenderBitmapFile(client.Width(), client.Height(), true);
  QFile bmp(out + "exported.bmp");
  ok = bmp.open(QIODevice::WriteOnly) &&
       bmp.write(reinterpret_cast<const char*>(file.data()), static_cast<qint64>(file.size())) ==
           static_cast<qint64>(file.size()) &&
       ok;
  bmp.close();
  const QByteArray png = PasteFromAnotherProgram();
  QFile pasted(out + "pasted.png");
  ok = pasted.open(QIODevice::WriteOnly) && pasted.write(png) == png.size() && ok;
  pasted.close();

  const QImage fromClipboard = QImage::fromData(png, "PNG");
  const QImage fromFile(out + "exported.bmp", "BMP");
  const int differences = Differences(fromClipboard, fromFile);
  std::printf("pasted %dx%d, exported %dx%d, differing pixels: %d\n", fromClipboard.width(), fromClipboard.height(),
              fromFile.width(), fromFile.height(), differences);
  return ok && !fromFile.isNull() && differences == 0 ? 0 : 1;
}
