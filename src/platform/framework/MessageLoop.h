// The application's side of the event loop: input is shown to PreTranslateMessage before it is
// dispatched, and the idle processing learns when new input arrived.
#pragma once

#include "platform/framework/Wnd.h"

// Watches every event of the application (once a QApplication exists); safe to call repeatedly.
void InstallInputFilter();
// The nearest wrapped window of a widget within its top-level window, or null.
CWnd* WindowOfWidget(QObject* object);
// Offers `msg` to the windows from its target up to its top-level frame, each through its
// PreTranslateMessage; TRUE when one claimed it.
BOOL WalkPreTranslateTree(MSG* msg);
// Input arrived (a user event, a posted message or a timer): idle processing starts afresh.
void NoteInput();
// Whether input arrived since the last call.
bool TakeInputSeen();

// Context help mode (Shift+F1): the next click asks the window under it, and then its parents,
// for a help context (WM_HELPHITTEST with the point in its client coordinates) and shows that
// topic, or the help contents when none answers. A click on a menu title opens the menu in the
// mode instead. A command chosen in the mode, from a menu or by its key, shows its help instead
// of running. Esc, or a menu closed without a choice, ends the mode without help.
void BeginContextHelpMode();
bool InContextHelpMode();
// A command chosen from a menu or by its key: in the mode, ends it and shows the command's help
// instead of running it (TRUE); otherwise FALSE.
BOOL ShowCommandHelpInHelpMode(UINT id);
// Shift+F1 in a dialog or a sheet begins the mode, as the caption's context-help button does where
// title bars have one. TRUE when `msg` was that key.
BOOL TranslateContextHelpKey(const MSG& msg);

// The tick count (TickCount.h) when the input in hand arrived.
DWORD GetMessageTime();
