// Looking at input that waits in the queue without leaving the handler in hand (a drag that
// watches for the button's release, a double-click that waits for the second press). While
// PeekMessage runs, input arriving for the program's windows is held back in its own queue, and
// so are posted messages, the window manager's closes and the end of the session: a look carries
// out nothing. What is not removed reaches its receivers afterwards, in order, as if never looked at.
#pragma once

#include "platform/win/WindowMessages.h"

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// The first waiting input message for `hwnd` (null: any window) within first..last (0, 0: any);
// FALSE when there is none. PM_REMOVE takes it out of the queue.
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove);

class QEvent;
class QObject;
// For the input filter: during a PeekMessage, queues the input, posted message, close or quit
// event for `receiver` and answers true (the event is held back).
bool HoldForPeek(QObject* receiver, QEvent* event);
