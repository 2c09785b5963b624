// The system message box, with a replaceable backend: the GUI backend shows a real box, tests
// install a scripted one that records what was asked and answers from a script.
#pragma once

#include <functional>

#include "platform/win/WinTypes.h"

// Button sets.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
// Icons.
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
// Default buttons.
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;
// Modality and extras.
constexpr UINT MB_APPLMODAL = 0x0000;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_HELP = 0x4000;
constexpr UINT MB_SETFOREGROUND = 0x10000;

// Results; 0 means the box could not be shown.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class MessageBoxBackend {
 public:
  virtual ~MessageBoxBackend() = default;
  // Shows the box and returns the button chosen (IDOK ... IDNO), or 0 when it cannot be shown.
  // A null caption means the system's default caption.
  virtual int Show(HWND owner, const char* text, const char* caption, UINT style) = 0;
  // The warning sound of a box of icon `type`; without a GUI there is none.
  virtual void Beep(UINT /*type*/) {}
};

// Installs `backend` (nullptr restores the built-in text backend) and returns the previous one.
MessageBoxBackend* SetMessageBoxBackend(MessageBoxBackend* backend);

int MessageBox(HWND owner, const char* text, const char* caption, UINT style);
// The sound that tells the user an action is not available (MB_ICONEXCLAMATION ...).
void MessageBeep(UINT type);

// The Help button (and F1) of a box with MB_HELP call this hook with the box's owner; the main
// window registers it to show the help of what the box is about. Without a hook they do nothing.
using MessageBoxHelpHook = std::function<void(HWND owner)>;
void SetMessageBoxHelpHook(MessageBoxHelpHook hook);
void RequestMessageBoxHelp(HWND owner);

// What a box of `style` shows. A button set above MB_RETRYCANCEL counts as MB_OK, and a default
// button past the last one as the first.
struct MessageBoxLayout {
  int buttons[3];      // the results of the buttons, left to right
  int buttonCount;
  int defaultButton;   // the result of the button Enter presses
  int escapeButton;    // the result of Esc and of closing the box; 0 when neither closes it
  UINT icon;           // MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK or 0
  bool help;           // a Help button, which asks for help and leaves the box open
};
MessageBoxLayout DescribeMessageBox(UINT style);

// The button a box of `style` answers with when the user just presses Enter.
int DefaultButtonResult(UINT style);
