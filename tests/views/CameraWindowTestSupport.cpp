#include "views/CameraWindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <cstring>

#include "platform/framework/CmdUI.h"
#include "platform/framework/RunModal.h"
#include "platform/framework/WaitCursor.h"
#include "views/LockedRows.h"

namespace views_test {

CameraWindowFixture::CameraWindowFixture() { EXPECT_EQ(DirectDrawCreate(nullptr, &app.lpDD, nullptr), DD_OK); }

CameraWindowFixture::~CameraWindowFixture() {
  if (view) {
    doc.RemoveView(view.get());
    if (view->GetSafeHwnd()) view->DestroyWindow();
    view.reset();
  }
  if (parent) parent->DestroyWindow();
  parent.reset();
}

TestCameraView& CameraWindowFixture::Window(int width, int height) {
  if (!parent) {
    parent = std::make_unique<CWnd>();
    EXPECT_TRUE(parent->Create("Parent", WS_VISIBLE, {0, 0, 1400, 1100}, nullptr));
  }
  if (!view) Offscreen();
  if (view->GetSafeHwnd()) view->DestroyWindow();
  EXPECT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, width, height}, parent.get(),
                           AFX_IDW_PANE_FIRST));
  return *view;
}

TestCameraView& CameraWindowFixture::Offscreen() {
  if (!view) {
    view = std::make_unique<TestCameraView>();
    doc.AddView(view.get());
  }
  return *view;
}

SIZE SurfaceSize(IDirectDrawSurface* surface) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  EXPECT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
  return SIZE{static_cast<LONG>(desc.dwWidth), static_cast<LONG>(desc.dwHeight)};
}

std::vector<DWORD> SurfacePixels(IDirectDrawSurface* surface, int x, int y, int width, int height) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
  const DWORD bytes = format.dwRGBBitCount / 8;
  const DWORD mask = bytes == 1 ? 0xFF : format.dwRBitMask | format.dwGBitMask | format.dwBBitMask;
  std::vector<DWORD> pixels;
  for (int row = y; row < y + height; ++row) {
    const BYTE* first = FirstRow(desc) + static_cast<std::ptrdiff_t>(row) * desc.lPitch;
    for (int column = x; column < x + width; ++column) {
      DWORD value = 0;
      std::memcpy(&value, first + column * bytes, bytes);
      pixels.push_back(value & mask);
    }
  }
  surface->Unlock(desc.lpSurface);
  return pixels;
}

CommandState StateOf(CCmdTarget& window, UINT id) {
  struct Probe : CCmdUI {
    void Enable(BOOL on) override {
      state.enabled = on;
      m_bEnableChanged = TRUE;
    }
    void SetCheck(int on) override { state.checked = on; }
    void SetRadio(BOOL on) override { state.checked = on; }
    CommandState state{TRUE, -1};
  } probe;
  probe.m_nID = id;
  probe.DoUpdate(&window, FALSE);
  return probe.state;
}

OpenedDialog CancelDialogOpenedBy(const std::function<void()>& user) {
  OpenedDialog shown;
  RunModal(
      [&] {
        user();
        return 0;
      },
      [&](QDialog* window) {
        shown.title = window->windowTitle().toStdString();
        if (auto* tabs = window->findChild<QTabBar*>()) shown.page = tabs->currentIndex();
        for (QLineEdit* field : window->findChildren<QLineEdit*>())
          shown.fields.push_back(field->text().toStdString());
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
          if (button->text() == "Cancel") QTest::mouseClick(button, Qt::LeftButton);
      });
  return shown;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, keys);
  QApplication::sendEvent(widget, &event);
}

HCURSOR ShownCursor() {
  const HCURSOR cursor = SetCursor(nullptr);
  SetCursor(cursor);
  return cursor;
}

}  // namespace views_test
