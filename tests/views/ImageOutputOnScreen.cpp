// Copies an improved camera window to the clipboard; xclip's PNG paste must equal the BMP export.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "platform/framework/PrimarySurfacePresenter.h"
#include "platform/win/QtPlatform.h"
#include "views/CylinderRowsWindow.h"

namespace {

bool Screenshot(CWnd& frame, const QString& path) {
  QTest::qWait(300);
  const QRect area = frame.GetWidget()->frameGeometry();
  return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
}

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
  QTest::qWait(300);
  view.Invalidate();
  bool ok = Screenshot(shown.frame, out + "camera-window-normal.png");
  view.SendMessage(WM_COMMAND, kImproveCommand);
  ok = Screenshot(shown.frame, out + "camera-window-improved.png") && ok;

  // Copy Image with the preferences' defaults: the client size, supersampled.
  CRect client;
  view.GetClientRect(&client);
  view.SendMessage(WM_COMMAND, kCopyImageCommand);
  const std::vector<BYTE> file = view.RenderBitmapFile(client.Width(), client.Height(), true);
  const QByteArray bmp(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
  ok = Write(out + "exported.bmp", bmp) && ok;
  QProcess xclip;  // this process answers the paste while it waits
  xclip.start("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"});
  while (!xclip.waitForFinished(10)) QCoreApplication::processEvents();
  const QByteArray png = xclip.readAllStandardOutput();
  ok = Write(out + "pasted.png", png) && ok;

  const QImage pasted = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
  const QImage exported = QImage(out + "exported.bmp", "BMP").convertToFormat(QImage::Format_RGB32);
  const bool same = !exported.isNull() && pasted == exported;  // sizes and every pixel
  std::printf("pasted %dx%d, exported %dx%d: %s\n", pasted.width(), pasted.height(), exported.width(),
              exported.height(), same ? "equal" : "different");
  return ok && same ? 0 : 1;
}
