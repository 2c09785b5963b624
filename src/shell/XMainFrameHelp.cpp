// The Help commands of the main frame, and the main frame as the message boxes reach it.
#include "shell/XMainFrameHelp.h"

#include "platform/framework/Help.h"
#include "platform/framework/WinApp.h"
#include "platform/win/MessageBox.h"
#include "shell/XMainFrame.h"

namespace {

constexpr UINT kHelpTopicOffset = 0x10000;

class MainFrameOfBoxes final : public XMessageBoxFrame {
 public:
  HWND GetSafeHwnd() override { return XGetMainFrame()->GetSafeHwnd(); }
  void PushModalStatusCallback(XStatusCallback callback, void* argument) override {
    XGetMainFrame()->GetStatusBar().PushModalStatusCallback(callback, argument);
  }
  void PopModalStatusCallback(XStatusCallback callback) override {
    XGetMainFrame()->GetStatusBar().PopModalStatusCallback(callback);
  }
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
    if (XMainFrame* frame = XGetMainFrame()) {
      frame->OnStatusBarIdle();
      frame->OnHelp();
    }
  });
}

void RemoveMainFrameServices() {
  SetMessageBoxFrameLookup(nullptr);
  SetMessageBoxHelpHook({});
}

void XMainFrame::OnHelp() {
  if (const UINT context = statusBar.GetPaneHelpId())
    AfxGetApp()->WinHelp(context, HELP_CONTEXT);
  else
    AfxGetApp()->WinHelp(0, HELP_FINDER);
}

void XMainFrame::OnHelpTopic(UINT id) { AfxGetApp()->WinHelp(id + kHelpTopicOffset, HELP_CONTEXT); }
