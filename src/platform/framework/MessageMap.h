// Message maps: each class that handles messages or commands keeps a static table of entries
// (message, notification code, id range, handler) and a link to its base class's table. A message
// goes to the first entry that matches, searching the class's own table first and then up the
// class chain, so a derived class's entry hides its base's.
//
//   class MyView : public CView {
//     DECLARE_MESSAGE_MAP()
//     void OnSize(UINT type, int cx, int cy);
//     void OnZoomIn();
//   };
//   BEGIN_MESSAGE_MAP(MyView, CView)
//     ON_WM_SIZE()
//     ON_COMMAND(ID_ZOOM_IN, OnZoomIn)
//   END_MESSAGE_MAP()
#pragma once

#include "platform/framework/Geometry.h"
#include "platform/win/WindowMessages.h"

class CCmdTarget;
class CCmdUI;

// What a handler is called with. `extra` is the CCmdUI of an update request or the NMHDR of a
// notification; a handler that produces a value leaves it in `result`.
struct MessageCall {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UINT id;  // the command or control id for commands and notifications
  void* extra;
  LRESULT result;
};

// Runs the handler; FALSE when the handler declined (the _EX forms), so the search goes on.
using MessageHandler = BOOL (*)(CCmdTarget* target, MessageCall& call);

struct MessageMapEntry {
  UINT message;  // 0 ends the table
  int code;      // notification code for WM_COMMAND and WM_NOTIFY entries
  UINT firstId;
  UINT lastId;
  MessageHandler handler;
};

struct MessageMap {
  const MessageMap* (*base)();  // null for the root
  const MessageMapEntry* entries;
};

// The first entry of the class chain of `map` for the message, code and id.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, int code, UINT id);

#define DECLARE_MESSAGE_MAP()                          \
 protected:                                            \
  static const MessageMap* GetThisMessageMap();        \
  const MessageMap* GetMessageMap() const override;    \
                                                       \
 public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const MessageMap* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                \
  {0, 0, 0, 0, nullptr}};                                                \
  static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                           \
  }

#define AFX_ENTRY_(message, code, first, last, body)                                 \
  {message, code, first, last, [](CCmdTarget* target, MessageCall& call) -> BOOL { \
     [[maybe_unused]] auto* self = static_cast<ThisClass*>(target);               \
     [[maybe_unused]] MessageCall& c = call;                                      \
     body                                                                         \
   }},

// Commands and their update requests.
#define ON_COMMAND(id, fn) AFX_ENTRY_(WM_COMMAND, CN_COMMAND, id, id, self->fn(); return TRUE;)
#define ON_COMMAND_EX(id, fn) AFX_ENTRY_(WM_COMMAND, CN_COMMAND, id, id, return self->fn(c.id);)
#define ON_COMMAND_RANGE(first, last, fn) AFX_ENTRY_(WM_COMMAND, CN_COMMAND, first, last, self->fn(c.id); return TRUE;)
#define ON_COMMAND_EX_RANGE(first, last, fn) AFX_ENTRY_(WM_COMMAND, CN_COMMAND, first, last, return self->fn(c.id);)
#define ON_UPDATE_COMMAND_UI(id, fn) \
  AFX_ENTRY_(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, self->fn(static_cast<CCmdUI*>(c.extra)); return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn) \
  AFX_ENTRY_(WM_COMMAND, CN_UPDATE_COMMAND_UI, first, last, self->fn(static_cast<CCmdUI*>(c.extra)); return TRUE;)

// Control notifications sent to the parent with WM_COMMAND or WM_NOTIFY.
#define ON_CONTROL(code, id, fn) AFX_ENTRY_(WM_COMMAND, code, id, id, self->fn(); return TRUE;)
#define ON_CONTROL_RANGE(code, first, last, fn) AFX_ENTRY_(WM_COMMAND, code, first, last, self->fn(c.id); return TRUE;)
#define ON_NOTIFY(code, id, fn) \
  AFX_ENTRY_(WM_NOTIFY, code, id, id, self->fn(static_cast<NMHDR*>(c.extra), &c.result); return TRUE;)
#define ON_NOTIFY_EX(code, id, fn) \
  AFX_ENTRY_(WM_NOTIFY, code, id, id, return self->fn(c.id, static_cast<NMHDR*>(c.extra), &c.result);)
#define ON_NOTIFY_EX_RANGE(code, first, last, fn) \
  AFX_ENTRY_(WM_NOTIFY, code, first, last, return self->fn(c.id, static_cast<NMHDR*>(c.extra), &c.result);)
// A notification the control handles itself, before its parent sees it; the _EX form passes it
// on to the parent when the handler returns FALSE.
#define ON_CONTROL_REFLECT(code, fn) AFX_ENTRY_(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, self->fn(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(code, fn) AFX_ENTRY_(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, return self->fn();)
#define ON_NOTIFY_REFLECT(code, fn) \
  AFX_ENTRY_(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, self->fn(static_cast<NMHDR*>(c.extra), &c.result); return TRUE;)

// Any message, with its raw parameters.
#define ON_MESSAGE(message, fn) AFX_ENTRY_(message, 0, 0, 0, c.result = self->fn(c.wParam, c.lParam); return TRUE;)

// Window messages, each with the handler's usual parameters.
#define AFX_POINT_ CPoint(GET_X_LPARAM(c.lParam), GET_Y_LPARAM(c.lParam))
#define ON_WM_CREATE() AFX_ENTRY_(WM_CREATE, 0, 0, 0, c.result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(c.lParam)); return TRUE;)
#define ON_WM_DESTROY() AFX_ENTRY_(WM_DESTROY, 0, 0, 0, self->OnDestroy(); return TRUE;)
#define ON_WM_SIZE() \
  AFX_ENTRY_(WM_SIZE, 0, 0, 0, self->OnSize(static_cast<UINT>(c.wParam), LOWORD(static_cast<DWORD>(c.lParam)), HIWORD(static_cast<DWORD>(c.lParam))); return TRUE;)
#define ON_WM_PAINT() AFX_ENTRY_(WM_PAINT, 0, 0, 0, self->OnPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() \
  AFX_ENTRY_(WM_ERASEBKGND, 0, 0, 0, c.result = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam))); return TRUE;)
#define ON_WM_CLOSE() AFX_ENTRY_(WM_CLOSE, 0, 0, 0, self->OnClose(); return TRUE;)
#define ON_WM_TIMER() AFX_ENTRY_(WM_TIMER, 0, 0, 0, self->OnTimer(static_cast<UINT>(c.wParam)); return TRUE;)
#define ON_WM_ACTIVATE()                                                                             \
  AFX_ENTRY_(WM_ACTIVATE, 0, 0, 0,                                                                   \
             self->OnActivate(LOWORD(static_cast<DWORD>(c.wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)), \
                              HIWORD(static_cast<DWORD>(c.wParam)));                                 \
             return TRUE;)
#define ON_WM_QUERYNEWPALETTE() AFX_ENTRY_(WM_QUERYNEWPALETTE, 0, 0, 0, c.result = self->OnQueryNewPalette(); return TRUE;)
#define ON_WM_ACTIVATEAPP() AFX_ENTRY_(WM_ACTIVATEAPP, 0, 0, 0, self->OnActivateApp(static_cast<BOOL>(c.wParam), static_cast<DWORD>(c.lParam)); return TRUE;)
#define ON_WM_SETFOCUS() AFX_ENTRY_(WM_SETFOCUS, 0, 0, 0, self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam))); return TRUE;)
#define ON_WM_KILLFOCUS() AFX_ENTRY_(WM_KILLFOCUS, 0, 0, 0, self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam))); return TRUE;)
#define ON_WM_CAPTURECHANGED() AFX_ENTRY_(WM_CAPTURECHANGED, 0, 0, 0, self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam))); return TRUE;)
#define AFX_MOUSE_ENTRY_(message, fn) AFX_ENTRY_(message, 0, 0, 0, self->fn(static_cast<UINT>(c.wParam), AFX_POINT_); return TRUE;)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY_(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY_(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY_(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define AFX_KEY_ENTRY_(message, fn)                                                                    \
  AFX_ENTRY_(message, 0, 0, 0,                                                                         \
             self->fn(static_cast<UINT>(c.wParam), LOWORD(static_cast<DWORD>(c.lParam)), HIWORD(static_cast<DWORD>(c.lParam))); \
             return TRUE;)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY_(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY_(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY_(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY_(WM_SYSKEYDOWN, OnSysKeyDown)
#define AFX_SCROLL_ENTRY_(message, fn)                                                                       \
  AFX_ENTRY_(message, 0, 0, 0,                                                                               \
             self->fn(LOWORD(static_cast<DWORD>(c.wParam)), HIWORD(static_cast<DWORD>(c.wParam)),            \
                      reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam))));  \
             return TRUE;)
#define ON_WM_HSCROLL() AFX_SCROLL_ENTRY_(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() AFX_SCROLL_ENTRY_(WM_VSCROLL, OnVScroll)
#define ON_WM_NCCREATE() AFX_ENTRY_(WM_NCCREATE, 0, 0, 0, c.result = self->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(c.lParam)); return TRUE;)
#define ON_WM_MDIACTIVATE()                                                                                        \
  AFX_ENTRY_(WM_MDIACTIVATE, 0, 0, 0,                                                                              \
             self->OnMDIActivate(CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)) == self,                      \
                                 CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)),                              \
                                 CWnd::FromHandle(reinterpret_cast<HWND>(c.wParam)));                             \
             return TRUE;)
#define ON_WM_MENUSELECT() \
  AFX_ENTRY_(WM_MENUSELECT, 0, 0, 0, self->OnMenuSelect(LOWORD(static_cast<DWORD>(c.wParam)), HIWORD(static_cast<DWORD>(c.wParam)), reinterpret_cast<HMENU>(c.lParam)); return TRUE;)
#define ON_WM_DROPFILES() AFX_ENTRY_(WM_DROPFILES, 0, 0, 0, self->OnDropFiles(reinterpret_cast<HDROP>(c.wParam)); return TRUE;)
