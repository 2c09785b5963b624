// Under X11 (the ctest DialogShowsItsPictureFromTheStart runs it on a virtual X server without a
// window manager): a dialog shown as it is made is on the screen with its picture at once, before
// the event loop paints it. Elsewhere the test has nothing to look at.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>
#include <cstdlib>
#include <iterator>
#include <xcb/xcb.h>

#include "platform/framework/Dialog.h"
#include "platform/framework/DialogTemplate.h"
#include "platform/framework/Wnd.h"
#include "platform/win/QtTestApplication.h"

namespace {

constexpr DialogTemplate kShown = {950, "", 200, 120, "MS Sans Serif", 8, WS_POPUP | WS_VISIBLE | DS_SETFONT, 0, nullptr, 0};
const DialogTemplate* const kTemplates[] = {&kShown};

// The colour the X server shows at `at` on the screen, as 0xRRGGBB.
QRgb ScreenPixel(xcb_connection_t* connection, QPoint at) {
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  xcb_get_image_reply_t* image = xcb_get_image_reply(
      connection,
      xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<int16_t>(at.x()),
                    static_cast<int16_t>(at.y()), 1, 1, ~0u),
      nullptr);
  if (!image) return 0;
  QRgb pixel = 0;
  if (xcb_get_image_data_length(image) >= 4) pixel = *reinterpret_cast<const uint32_t*>(xcb_get_image_data(image)) & 0xFFFFFF;
  std::free(image);
  return pixel;
}

TEST(PictureBeforeShown, ADialogShownAsItIsMadeIsOnTheScreenWithItsPictureBeforeItsFirstPaint) {
  QtTestApplication qt;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) GTEST_SKIP() << "not on X11";
  RegisterDialogTemplates(kTemplates, std::size(kTemplates));
  CDialog dialog(950);
  ASSERT_TRUE(dialog.Create(950));
  QWidget* window = dialog.GetWidget();
  ASSERT_TRUE(window->isVisible());
  // No event has been handled since: the dialog has not painted itself yet.
  const QRgb face = window->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
  EXPECT_EQ(ScreenPixel(x11->connection(), window->mapToGlobal(window->rect().center())), face);
  dialog.DestroyWindow();
  RegisterDialogTemplates(nullptr, 0);
}

// The owner's own children stay inside the owner's X window: a child with an X window of its own
// is moved between windows by the desktop when it is taken out and put back (a docked bar).
TEST(PictureBeforeShown, ADialogShownOverItsOwnerLeavesTheOwnersChildrenWithoutWindowsOfTheirOwn) {
  QtTestApplication qt;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) GTEST_SKIP() << "not on X11";
  RegisterDialogTemplates(kTemplates, std::size(kTemplates));
  CWnd owner;
  ASSERT_TRUE(owner.Create("Owner", WS_VISIBLE, RECT{0, 0, 300, 200}, nullptr));
  auto* bar = new QWidget(owner.GetWidget());
  bar->show();
  CDialog dialog(950);
  ASSERT_TRUE(dialog.Create(950, &owner));
  ASSERT_TRUE(dialog.GetWidget()->isVisible());
  auto* later = new QWidget(owner.GetWidget());
  later->show();
  for (const QWidget* child : {bar, later}) {
    EXPECT_FALSE(child->testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(child->internalWinId(), 0u);
  }
  dialog.DestroyWindow();
  owner.DestroyWindow();
  RegisterDialogTemplates(nullptr, 0);
}

}  // namespace
