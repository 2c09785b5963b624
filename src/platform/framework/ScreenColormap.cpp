#include "platform/framework/ScreenColormap.h"

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

// The default colormap of the screen whose root visual `visual` is, or none: visual ids are unique
// across the screens of a server.
xcb_colormap_t DefaultColormapOf(xcb_connection_t* connection, xcb_visualid_t visual) {
  for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection)); screen.rem; xcb_screen_next(&screen))
    if (screen.data->root_visual == visual) return screen.data->default_colormap;
  return XCB_NONE;
}

void UseScreenColormap(xcb_connection_t* connection, xcb_window_t window) {
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
  if (!attributes) return;
  // A window on another visual (one with an alpha channel) keeps the colormap made for it.
  const xcb_colormap_t colormap = DefaultColormapOf(connection, attributes->visual);
  if (colormap != XCB_NONE && colormap != attributes->colormap) {
    xcb_change_window_attributes(connection, window, XCB_CW_COLORMAP, &colormap);
    xcb_flush(connection);
  }
  std::free(attributes);
}

class ScreenColormapFilter final : public QObject {
 public:
  ScreenColormapFilter(xcb_connection_t* connection, QObject* parent) : QObject(parent), connection_(connection) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::PlatformSurface &&
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceCreated)
      if (auto* window = qobject_cast<QWindow*>(watched))
        UseScreenColormap(connection_, static_cast<xcb_window_t>(window->winId()));
    return false;
  }

 private:
  xcb_connection_t* connection_;
};

xcb_connection_t* X11Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

void UseScreenColormaps() {
  if (xcb_connection_t* connection = X11Connection())
    qGuiApp->installEventFilter(new ScreenColormapFilter(connection, qGuiApp));
}

void UseScreenColormap(QWindow* window) {
  if (xcb_connection_t* connection = X11Connection(); connection && window && window->handle())
    UseScreenColormap(connection, static_cast<xcb_window_t>(window->winId()));
}
