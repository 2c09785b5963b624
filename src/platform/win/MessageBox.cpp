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
MessageBoxHelpHook helpHook;

}  // namespace

MessageBoxBackend* SetMessageBoxBackend(MessageBoxBackend* backend) {
  MessageBoxBackend* previous = currentBackend;
  currentBackend = backend ? backend : &textBackend;
  return previous == &textBackend ? nullptr : previous;
}

int MessageBox(HWND owner, const char* text, const char* caption, UINT style) {
  return currentBackend->Show(owner, text, caption, style);
}

void MessageBeep(UINT type) { currentBackend->Beep(type); }

void SetMessageBoxHelpHook(MessageBoxHelpHook hook) { helpHook = std::move(hook); }

void RequestMessageBoxHelp(HWND owner) {
  if (helpHook) helpHook(owner);
}

MessageBoxLayout DescribeMessageBox(UINT style) {
  static const struct {
    int buttons[3];
    int count;
  } sets[6] = {
      {{IDOK}, 1},           {{IDOK, IDCANCEL}, 2}, {{IDABORT, IDRETRY, IDIGNORE}, 3},
      {{IDYES, IDNO, IDCANCEL}, 3}, {{IDYES, IDNO}, 2},   {{IDRETRY, IDCANCEL}, 2},
  };
  UINT set = style & MB_TYPEMASK;
  if (set > 5) set = 0;
  UINT index = (style & MB_DEFMASK) >> 8;
  if (index >= static_cast<UINT>(sets[set].count)) index = 0;

  MessageBoxLayout layout{};
  for (int i = 0; i < sets[set].count; ++i) layout.buttons[i] = sets[set].buttons[i];
  layout.buttonCount = sets[set].count;
  layout.defaultButton = sets[set].buttons[index];
  // Esc cancels; a box whose only answer is OK takes Esc as OK; any other box needs an answer.
  layout.escapeButton = set == MB_OK ? IDOK : layout.buttons[layout.buttonCount - 1] == IDCANCEL ? IDCANCEL : 0;
  UINT icon = style & MB_ICONMASK;
  layout.icon = icon <= MB_ICONASTERISK ? icon : 0;
  layout.help = (style & MB_HELP) != 0;
  return layout;
}

int DefaultButtonResult(UINT style) { return DescribeMessageBox(style).defaultButton; }
