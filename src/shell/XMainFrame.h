// The main frame: the program's main window, which owns the status bar and the tool bars.
#pragma once

#include "platform/framework/FrameWnd.h"

class XMainFrame : public CFrameWnd {
  DECLARE_DYNAMIC(XMainFrame)
 public:
  // Each file dropped from the file manager is opened as a scene.
  void OnDropFiles(HDROP drop);
  // The status bar's periodic work (the prompt under the mouse, blinking, widening), run by the
  // application's timer and, without one, at idle.
  virtual void OnStatusBarIdle() {}

  DECLARE_MESSAGE_MAP()
};

// The main window of the program's thread; null before it exists and after it is gone. A main
// window of another class is fatal.
XMainFrame* XGetMainFrame();
