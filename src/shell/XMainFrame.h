// The main frame: the program's main window, which owns the status bar and the tool bars.
#pragma once

#include "platform/framework/FrameWnd.h"

class XMainFrame : public CFrameWnd {
  DECLARE_DYNAMIC(XMainFrame)
};

// The main window of the program's thread; null before it exists and after it is gone. A main
// window of another class is fatal.
XMainFrame* XGetMainFrame();
