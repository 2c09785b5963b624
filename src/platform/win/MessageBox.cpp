#include "platform/win/MessageBox.h"

#include <cstdio>

namespace {

// Without a GUI backend a box is written to standard error and answered with its default button.
class TextMessageBoxBackend final : public MessageBoxBackend {
 public:
  int Show(HWND, const char* text, const char* caption, UINT style) override {
    std::fprintf(stderr, "[%s]\n%s\n", caption ? caption : "Error", text ? text : "");
    return DefaultButtonResult(style);
  }
};

TextMessageBoxBackend textBackend;
MessageBoxBackend* currentBackend = &textBackend;

}  // namespace

MessageBoxBackend* SetMessageBoxBackend(MessageBoxBackend* backend) {
  MessageBoxBackend* previous = currentBackend;
  currentBackend = backend ? backend : &textBackend;
  return previous == &textBackend ? nullptr : previous;
}

int MessageBox(HWND owner, const char* text, const char* caption, UINT style) {
  return currentBackend->Show(owner, text, caption, style);
}

int DefaultButtonResult(UINT style) {
  static const int buttons[6][3] = {
      {IDOK, IDOK, IDOK},          {IDOK, IDCANCEL, IDCANCEL},   {IDABORT, IDRETRY, IDIGNORE},
      {IDYES, IDNO, IDCANCEL},     {IDYES, IDNO, IDNO},          {IDRETRY, IDCANCEL, IDCANCEL},
  };
  UINT set = style & MB_TYPEMASK;
  UINT index = (style & MB_DEFMASK) >> 8;
  if (set > 5) set = 0;
  if (index > 2) index = 0;
  return buttons[set][index];
}
