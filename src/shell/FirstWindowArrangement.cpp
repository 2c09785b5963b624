#include "shell/FirstWindowArrangement.h"

#include "platform/framework/WinApp.h"
#include "dialogs/WindowHelpers.h"
#include "shell/XFrameWnd.h"
#include "shell/XMainFrame.h"

namespace {

constexpr UINT kWindowFrontTopLeft = 33028;
constexpr UINT kTileHorizontal = 33018;
constexpr UINT kTileVertical = 33019;

// Keeps the top-left corner and cuts the longer side down to 35:24.
void TrimToPhotoShape(XFrameWnd& frame, CWnd& client) {
  RECT rect;
  frame.GetWindowRect(&rect);
  client.ScreenToClient(&rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (height * 35 / 24 < width)
    width = height * 35 / 24;
  else
    height = width * 24 / 35;
  frame.MoveWindow(rect.left, rect.top, width, height, TRUE);
}

}  // namespace

void ArrangeFirstCameraWindow(XFrameWnd& frame) {
  auto* main = dynamic_cast<XMainFrame*>(AfxGetMainWnd());
  if (!main || !main->GetMDIClient()) return;
  if (!XIsBarVisible(&main->GetBeginnerToolBar())) {
    main->PostMessage(WM_COMMAND, kWindowFrontTopLeft, 0);
    return;
  }
  if (main->CountTileableWindows() < 2)
    main->GetMDIClient()->SendMessage(WM_MDITILE, 0, 0);
  else
    main->SendMessage(WM_COMMAND, main->IsWindowCountSquare() ? kTileHorizontal : kTileVertical, 0);
  TrimToPhotoShape(frame, *main->GetMDIClient());
}
