// Smart help shared by the dialog, sheet and page bases: which prompt a control under the mouse
// has, where the status prompts go, and which help topic a prompt opens.
#pragma once

#include "core/XMessageBox.h"

class CWnd;
struct TOOLINFO;

// Prompt ids of the framework's standard buttons, which have small control ids of their own.
constexpr UINT ID_DIALOG_HELP = 2002;
constexpr UINT IDHC_OK = 32806;
constexpr UINT IDHC_CANCEL = 32807;
constexpr UINT IDHC_CLOSE = 32808;
constexpr UINT IDHC_APPLY_NOW = 32809;
constexpr UINT IDHC_WIZBACK = 32810;
constexpr UINT IDHC_WIZNEXT = 32811;
constexpr UINT IDHC_WIZFINISH = 32812;
constexpr UINT kHelpTopicOffset = 0x10000;
constexpr UINT kLastIdWithoutPrompt = 10000;

// The prompt id of a standard button's control id; any other id is returned as it is.
int XStandardButtonPrompt(int controlId);
// -1 for ids that have no prompt: -1 itself and ids up to 10000 other than the Help button's.
int XPromptOrNone(int promptId);

// Fills `ti` (when not null) for the tip of `child`: the text is the string of its control id after
// the first line feed, supplied by the main window on request; a control that is not a button
// has its tip centred under it.
void XFillToolInfo(CWnd* child, TOOLINFO* ti);

// The main frame's status bar as the dialogs reach it (null while there is no main frame).
XMessageBoxFrame* XStatusFrame();
// The topic of a prompt: prompt + 0x10000 above 10000, else 0.
DWORD XHelpTopicOfPrompt(UINT promptId);
// Opens the topic of `promptId`, or the help contents when it has none.
void XShowPromptHelp(UINT promptId);
// A window's prompt source while it is up: a modal one's on the status bar's stack, asked wherever
// the cursor is; a modeless one's asked while the cursor is over the window.
void XAddStatusCallback(BOOL modal, XStatusCallback callback, CWnd* window);
void XRemoveStatusCallback(BOOL modal, XStatusCallback callback, CWnd* window);
// The cursor in `window`'s client coordinates.
POINT XCursorIn(const CWnd& window);
// The help context of a help hit test: the control's prompt's topic, else the window's.
LRESULT XHelpHitContext(int hit, UINT windowPromptId);
// The point of WM_HELPHITTEST's lParam.
POINT XPointOfLParam(LPARAM lParam);
// Puts the prompt of `id` on the status bar; the Help button shows its own text under the
// window's prompt id, so that help opens the topic of the whole window.
void XShowStatusPrompt(int id, UINT windowPromptId);
