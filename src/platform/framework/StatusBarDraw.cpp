// Owner-drawn status bar panes.
#include "platform/framework/StatusBar.h"

void CStatusBar::PaintOwnerDrawn(Pane*) {
  // Owner drawing goes through the device-context side of the framework.
}
