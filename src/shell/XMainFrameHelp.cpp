// The main frame as the message boxes reach it, and its More 3D Objects help.
#include "shell/XMainFrameHelp.h"

#include "dialogs/SmartHelp.h"
#include "platform/framework/Help.h"
#include "platform/win/MessageBox.h"
#include "shell/XMainFrame.h"

namespace {

constexpr UINT ID_HELP_MORE_OBJECTS = 33017;

class MainFrameOfBoxes final : public XMessageBoxFrame {
 public:
  HWND GetSafeHwnd() override { return XGetMainFrame()->GetSafeHwnd(); }
  void PushModalStatusCallback(XStatusCallback callback, void* argument) override {
    XGetMainFrame()->GetStatusBar().PushModalStatusCallback(callback, argument);
  }
  void PopModalStatusCallback(XStatusCallback callback) override {
    XGetMainFrame()->GetStatusBar().PopModalStatusCallback(callback);
  }
  void RegisterStatusCallback(HWND window, XStatusCallback callback, void* argument) override {
    XGetMainFrame()->GetStatusBar().RegisterStatusCallback(window, callback, argument);
  }
  void UnregisterStatusCallback(HWND window) override { XGetMainFrame()->GetStatusBar().UnregisterStatusCallback(window); }
  void SetStatusText(UINT id, const char* text, COLORREF highlight) override {
    XGetMainFrame()->GetStatusBar().SetStatusText(id, text, highlight);
  }
};

XMessageBoxFrame* LookUpMainFrame() {
  static MainFrameOfBoxes frame;
  return XGetMainFrame() ? &frame : nullptr;
}

}  // namespace

void InstallMainFrameServices() {
  SetMessageBoxFrameLookup(&LookUpMainFrame);
  // A box's Help asks for the topic its prompt carries on the status bar: the prompt is asked
  // for first, so the help follows the box even before the next refresh.
  SetMessageBoxHelpHook([](HWND) {
    if (XMainFrame* frame = XGetMainFrame()) frame->OnMessageBoxHelp();
  });
}

void RemoveMainFrameServices() {
  SetMessageBoxFrameLookup(nullptr);
  SetMessageBoxHelpHook({});
}

void XMainFrame::OnMessageBoxHelp() {
  OnStatusBarIdle();
  OnHelp();
}

void XMainFrame::OnHelpMoreObjects() { ShowHelp(HELP_CONTEXT, ID_HELP_MORE_OBJECTS + kHelpTopicOffset); }
