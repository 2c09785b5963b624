// The program's help window: one page at a time in a text browser, reused by every help request.
#pragma once

#include "platform/framework/Help.h"

class QTextBrowser;

// Shows `page` in the help window, a top-level window of its own made on first use beside the main
// window, and raised. Asked for while a modal window is up, it takes input meanwhile and stays
// when the modal window ends.
void ShowHelpWindow(const HelpPage& page);
void CloseHelpWindow();
// The help window while it is shown, else null.
QTextBrowser* VisibleHelpWindow();
