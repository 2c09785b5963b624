// A scene document with a camera window inside a plain parent, and what tests read from windows.
#pragma once

#include <QMouseEvent>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/DocumentTestSupport.h"
#include "platform/win/QtTestApplication.h"
#include "views/X3DView.h"

namespace views_test {

// A camera window owned by the test rather than by its window.
class TestCameraView : public X3DView {
 public:
  void PostNcDestroy() override {}
};

struct CameraWindowFixture : document_test::SceneFixture {
  CameraWindowFixture();
  ~CameraWindowFixture() override;
  // Makes the window (again) with a client area of width x height.
  TestCameraView& Window(int width = 400, int height = 300);
  // A camera window of the document that has no window of its own (off-screen renders).
  TestCameraView& Offscreen();

  QtTestApplication qt;
  std::unique_ptr<CWnd> parent;
  std::unique_ptr<TestCameraView> view;
};

SIZE SurfaceSize(IDirectDrawSurface* surface);

// A block of a surface's pixels, row by row: 0xRRGGBB on deep surfaces, the index on palette ones.
std::vector<DWORD> SurfacePixels(IDirectDrawSurface* surface, int x, int y, int width, int height);

// A command's state as the menus show it: enabled, and its check or radio mark (-1 when not set).
struct CommandState {
  BOOL enabled;
  int checked;
};
CommandState StateOf(CCmdTarget& window, UINT id);

// The dialog that `user` opens (title, page or -1, field texts), closed with its Cancel button.
struct OpenedDialog {
  std::string title;
  int page = -1;
  std::vector<std::string> fields;
};
OpenedDialog CancelDialogOpenedBy(const std::function<void()>& user);

// One mouse event at `at` with the buttons `held` after it; presses are of the left button.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys = {});
// The cursor shown now.
HCURSOR ShownCursor();

}  // namespace views_test
