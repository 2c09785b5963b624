// The program's help window: one page at a time in a text browser, reused by every help request.
#pragma once

#include "platform/framework/Help.h"

class QTextBrowser;

// Shows `page` in the help window, made on first use and raised. While a modal window is up the
// help window belongs to it, so it can be read and closed before the modal window ends.
void ShowHelpWindow(const HelpPage& page);
void CloseHelpWindow();
// The help window while it is shown, else null.
QTextBrowser* VisibleHelpWindow();
