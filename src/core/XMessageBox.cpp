#include "core/XMessageBox.h"

#include <utility>

#include "core/FatalReport.h"
#include "core/NoMemoryHandler.h"
#include "platform/win/MessageBox.h"

namespace {

constexpr UINT kErrorCaption = 48;
constexpr UINT kAppTitle = 57344;
constexpr UINT kLastTopicWithoutHelp = 10000;

XMessageBoxFrameLookup frameLookup = nullptr;

using HelpPrompt = std::pair<UINT, XString>;

// The platform's box, shown again after the low-memory handler until it shows.
int ShowUntilShown(XMessageBoxFrame* owner, const XString& message, const XString& caption, UINT style,
                   HelpPrompt* prompt) {
  for (;;) {
    if (prompt) owner->PushModalStatusCallback(&XMessageBoxStatusCallback, prompt);
    const int result = MessageBox(owner ? owner->GetSafeHwnd() : nullptr, message, caption, style);
    if (prompt) owner->PopModalStatusCallback(&XMessageBoxStatusCallback);
    if (result != 0) return result;
    NoMemoryHandler(1);
  }
}

// The text of message `id` with "%1", "%2" ... replaced by the arguments in order.
template <class... Texts>
XString Text(UINT id, const Texts&... arguments) {
  return XString(XString(id), CString(arguments)...);
}

CMMReturn Info(UINT id, const XString& text, CMMButtons buttons = CMMButtons::OK,
               CMMDefault def = CMMDefault::BUTTON1) {
  return XMessageBox(XString(), text, buttons, def, id);
}

CMMReturn Error(UINT id, const XString& text, CMMButtons buttons = CMMButtons::OK,
                CMMDefault def = CMMDefault::BUTTON1) {
  return XMessageBox(XString(kErrorCaption), text, buttons, def, id);
}

}  // namespace

CMMReturn::CMMReturn(int result) : value(result) {
  XASSERT(*this == CMMReturn::ABORT || *this == CMMReturn::CANCEL || *this == CMMReturn::IGNORE ||
              *this == CMMReturn::NO || *this == CMMReturn::OK || *this == CMMReturn::RETRY || *this == CMMReturn::YES,
          "");
}

XMessageBoxFrameLookup SetMessageBoxFrameLookup(XMessageBoxFrameLookup lookup) {
  return std::exchange(frameLookup, lookup);
}

void XMessageBoxStatusCallback(void* argument) {
  auto* prompt = static_cast<HelpPrompt*>(argument);
  if (XMessageBoxFrame* frame = frameLookup ? frameLookup() : nullptr)
    frame->SetStatusText(prompt->first, prompt->second, 0);
}

CMMReturn XMessageBox(const XString& caption, const XString& message, CMMButtons buttons, CMMDefault def,
                      UINT helpId) {
  XASSERT(!(buttons == CMMButtons::OK && def != CMMDefault::BUTTON1), "Default button doesn't exist");
  XASSERT(!(buttons == CMMButtons::OKCANCEL && def == CMMDefault::BUTTON3), "Default button doesn't exist");
  XASSERT(!(buttons == CMMButtons::RETRYCANCEL && def == CMMDefault::BUTTON3), "Default button doesn't exist");
  XASSERT(!(buttons == CMMButtons::YESNO && def == CMMDefault::BUTTON3), "Default button doesn't exist");
  XASSERT(message != XString(), "Empty message");

  const XString title = caption.IsEmpty() ? XString(kAppTitle) : caption;
  const UINT icon = title == XString(kErrorCaption) ? MB_ICONHAND
                    : buttons == CMMButtons::OK     ? MB_ICONASTERISK
                                                    : MB_ICONQUESTION;
  const UINT style = def.GetValue() | buttons.GetValue() | icon | MB_TASKMODAL | MB_SETFOREGROUND;

  XMessageBoxFrame* frame = helpId > kLastTopicWithoutHelp && frameLookup ? frameLookup() : nullptr;
  if (frame) {
    HelpPrompt prompt(helpId, message.GetPromptText());
    return CMMReturn(ShowUntilShown(frame, message, title, style | MB_HELP, &prompt));
  }
  return CMMReturn(ShowUntilShown(nullptr, message, title, style, nullptr));
}

void XInfoBox(const char* text) { XMessageBox(XString(), text, CMMButtons::OK, CMMDefault::BUTTON1, 0); }
void XInfoBox(UINT id) { Info(id, Text(id)); }
CMMReturn XInfoBox(UINT id, CMMButtons buttons) { return Info(id, Text(id), buttons); }
CMMReturn XInfoBox(UINT id, CMMButtons buttons, CMMDefault def) { return Info(id, Text(id), buttons, def); }
void XInfoBox(UINT id, UINT argId) { Info(id, Text(id, XString(argId))); }
void XInfoBox(UINT id, const char* a1) { Info(id, Text(id, a1)); }
CMMReturn XInfoBox(UINT id, const char* a1, CMMButtons buttons) { return Info(id, Text(id, a1), buttons); }
CMMReturn XInfoBox(UINT id, UINT argId, CMMButtons buttons) { return Info(id, Text(id, XString(argId)), buttons); }
CMMReturn XInfoBox(UINT id, UINT argId, CMMButtons buttons, CMMDefault def) {
  return Info(id, Text(id, XString(argId)), buttons, def);
}

void XErrorBox(UINT id) { Error(id, Text(id)); }
CMMReturn XErrorBox(UINT id, CMMButtons buttons) { return Error(id, Text(id), buttons); }
CMMReturn XErrorBox(UINT id, CMMButtons buttons, CMMDefault def) { return Error(id, Text(id), buttons, def); }
void XErrorBox(UINT id, UINT argId) { Error(id, Text(id, XString(argId))); }
void XErrorBox(UINT id, const char* a1) { Error(id, Text(id, a1)); }
void XErrorBox(UINT id, const char* a1, UINT argId2) { Error(id, Text(id, a1, XString(argId2))); }
void XErrorBox(UINT id, const char* a1, const char* a2) { Error(id, Text(id, a1, a2)); }
void XErrorBox(UINT id, const char* a1, const char* a2, const char* a3) { Error(id, Text(id, a1, a2, a3)); }
void XErrorBox(UINT id, const char* a1, const char* a2, const char* a3, const char* a4) {
  Error(id, Text(id, a1, a2, a3, a4));
}
void XErrorBox(UINT id, const char* a1, const char* a2, const char* a3, const char* a4, const char* a5) {
  Error(id, Text(id, a1, a2, a3, a4, a5));
}
CMMReturn XErrorBox(UINT id, const char* a1, const char* a2, CMMButtons buttons, CMMDefault def) {
  return Error(id, Text(id, a1, a2), buttons, def);
}
CMMReturn XErrorBox(UINT id, const char* a1, const char* a2, const char* a3, CMMButtons buttons, CMMDefault def) {
  return Error(id, Text(id, a1, a2, a3), buttons, def);
}
CMMReturn XErrorBox(UINT id, const char* a1, const char* a2, const char* a3, const char* a4, CMMButtons buttons,
                    CMMDefault def) {
  return Error(id, Text(id, a1, a2, a3, a4), buttons, def);
}
