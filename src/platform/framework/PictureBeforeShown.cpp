#include "platform/framework/PictureBeforeShown.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

// Each request of the picture well below the smallest request size every X server takes.
constexpr int kBytesPerRequest = 60000;

int WindowDepth(xcb_connection_t* connection, xcb_window_t window) {
  xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
  if (!reply) return 0;
  const int depth = reply->depth;
  std::free(reply);
  return depth;
}

}  // namespace

void PaintBeforeShown(QWidget* window) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection || !window) return;
  const QImage picture = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Not winId(): it marks the window native, and a native window that has a parent makes every
  // other child of that parent its own X window too (the main window's bars and work area).
  window->createWinId();
  const auto id = static_cast<xcb_window_t>(window->internalWinId());
  // Pixels of 32 bits, as both true-colour depths keep them.
  const int depth = WindowDepth(connection, id);
  if (picture.isNull() || (depth != 24 && depth != 32)) return;
  const auto width = static_cast<uint16_t>(picture.width());
  const xcb_pixmap_t pixmap = xcb_generate_id(connection);
  xcb_create_pixmap(connection, static_cast<uint8_t>(depth), pixmap, id, width, static_cast<uint16_t>(picture.height()));
  const xcb_gcontext_t gc = xcb_generate_id(connection);
  xcb_create_gc(connection, gc, pixmap, 0, nullptr);
  const int rowsPerRequest = std::max(1, kBytesPerRequest / static_cast<int>(picture.bytesPerLine()));
  for (int y = 0; y < picture.height(); y += rowsPerRequest) {
    const int rows = std::min(rowsPerRequest, picture.height() - y);
    xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, width, static_cast<uint16_t>(rows), 0,
                  static_cast<int16_t>(y), 0, static_cast<uint8_t>(depth),
                  static_cast<uint32_t>(rows * picture.bytesPerLine()), picture.constScanLine(y));
  }
  xcb_change_window_attributes(connection, id, XCB_CW_BACK_PIXMAP, &pixmap);
  xcb_free_gc(connection, gc);
  xcb_free_pixmap(connection, pixmap);  // the window keeps it as long as it needs it
  xcb_flush(connection);
}
