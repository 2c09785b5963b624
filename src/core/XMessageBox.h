// Every message the program shows goes through XMessageBox: XInfoBox for information and
// questions (caption: the application title), XErrorBox for errors (caption string 48, stop
// icon). The text is a string-table entry whose "%1".."%5" take the arguments (an argument given
// by id takes that string's text). A message id above 10000 is also its help topic: while the
// main frame exists the box belongs to it, has a Help button, and the status bar shows the text's
// first line while the box is up. A box that cannot be shown is retried through the low-memory
// handler.
#pragma once

#include "core/XString.h"

class CMMButtons {
 public:
  static const CMMButtons OK, OKCANCEL, ABORTRETRYIGNORE, YESNOCANCEL, YESNO, RETRYCANCEL;
  constexpr UINT GetValue() const { return value; }
  friend constexpr bool operator==(CMMButtons a, CMMButtons b) { return a.value == b.value; }

 private:
  explicit constexpr CMMButtons(UINT v) : value(v) {}
  UINT value;
};
inline constexpr CMMButtons CMMButtons::OK{0}, CMMButtons::OKCANCEL{1}, CMMButtons::ABORTRETRYIGNORE{2},
    CMMButtons::YESNOCANCEL{3}, CMMButtons::YESNO{4}, CMMButtons::RETRYCANCEL{5};

class CMMDefault {
 public:
  static const CMMDefault BUTTON1, BUTTON2, BUTTON3;
  constexpr UINT GetValue() const { return value; }
  friend constexpr bool operator==(CMMDefault a, CMMDefault b) { return a.value == b.value; }

 private:
  explicit constexpr CMMDefault(UINT v) : value(v) {}
  UINT value;
};
inline constexpr CMMDefault CMMDefault::BUTTON1{0}, CMMDefault::BUTTON2{0x100}, CMMDefault::BUTTON3{0x200};

// The button the user chose; constructing one from anything but the seven results is fatal.
class CMMReturn {
 public:
  static const CMMReturn OK, CANCEL, ABORT, RETRY, IGNORE, YES, NO;
  explicit CMMReturn(int result);
  constexpr int GetValue() const { return value; }
  friend constexpr bool operator==(CMMReturn a, CMMReturn b) { return a.value == b.value; }

 private:
  struct Known {};
  constexpr CMMReturn(int v, Known) : value(v) {}
  int value;
};
inline constexpr CMMReturn CMMReturn::OK{1, {}}, CMMReturn::CANCEL{2, {}}, CMMReturn::ABORT{3, {}},
    CMMReturn::RETRY{4, {}}, CMMReturn::IGNORE{5, {}}, CMMReturn::YES{6, {}}, CMMReturn::NO{7, {}};

// A modal prompt source of the status bar: called with its argument whenever the prompt is
// refreshed, it sets the prompt.
using XStatusCallback = void (*)(void* argument);

// What a box with a help topic needs of the main frame: its window, which owns the box and gets
// its help request, and its status bar.
class XMessageBoxFrame {
 public:
  virtual ~XMessageBoxFrame() = default;
  virtual HWND GetSafeHwnd() = 0;
  virtual void PushModalStatusCallback(XStatusCallback callback, void* argument) = 0;
  virtual void PopModalStatusCallback(XStatusCallback callback) = 0;
  // A modeless window's prompt source, asked while the cursor is over the window.
  virtual void RegisterStatusCallback(HWND window, XStatusCallback callback, void* argument) = 0;
  virtual void UnregisterStatusCallback(HWND window) = 0;
  virtual void SetStatusText(UINT id, const char* text, COLORREF highlight) = 0;
};

// The shell gives the boxes its main frame (null while none exists); without one, boxes have no
// owner and no Help button. Returns the previous lookup.
using XMessageBoxFrameLookup = XMessageBoxFrame* (*)();
XMessageBoxFrameLookup SetMessageBoxFrameLookup(XMessageBoxFrameLookup lookup);

// `argument` points to the (help id, prompt) pair of an open box.
void XMessageBoxStatusCallback(void* argument);

// An empty caption means the application title.
CMMReturn XMessageBox(const XString& caption, const XString& message, CMMButtons buttons, CMMDefault def,
                      UINT helpId);

void XInfoBox(const char* text);
void XInfoBox(UINT id);
CMMReturn XInfoBox(UINT id, CMMButtons buttons);
CMMReturn XInfoBox(UINT id, CMMButtons buttons, CMMDefault def);
void XInfoBox(UINT id, UINT argId);
void XInfoBox(UINT id, const char* a1);
CMMReturn XInfoBox(UINT id, const char* a1, CMMButtons buttons);
CMMReturn XInfoBox(UINT id, UINT argId, CMMButtons buttons);
CMMReturn XInfoBox(UINT id, UINT argId, CMMButtons buttons, CMMDefault def);

void XErrorBox(UINT id);
CMMReturn XErrorBox(UINT id, CMMButtons buttons);
CMMReturn XErrorBox(UINT id, CMMButtons buttons, CMMDefault def);
void XErrorBox(UINT id, UINT argId);
void XErrorBox(UINT id, const char* a1);
void XErrorBox(UINT id, const char* a1, UINT argId2);
void XErrorBox(UINT id, const char* a1, const char* a2);
void XErrorBox(UINT id, const char* a1, const char* a2, const char* a3);
void XErrorBox(UINT id, const char* a1, const char* a2, const char* a3, const char* a4);
void XErrorBox(UINT id, const char* a1, const char* a2, const char* a3, const char* a4, const char* a5);
CMMReturn XErrorBox(UINT id, const char* a1, const char* a2, CMMButtons buttons, CMMDefault def);
CMMReturn XErrorBox(UINT id, const char* a1, const char* a2, const char* a3, CMMButtons buttons, CMMDefault def);
CMMReturn XErrorBox(UINT id, const char* a1, const char* a2, const char* a3, const char* a4, CMMButtons buttons,
                    CMMDefault def);
