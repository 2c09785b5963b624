#include "platform/win/Clipboard.h"

namespace {

Clipboard* current = nullptr;
bool isOpen = false;

}  // namespace

Clipboard* SetClipboard(Clipboard* clipboard) {
  Clipboard* previous = current;
  current = clipboard;
  isOpen = false;
  return previous;
}

BOOL OpenClipboard(HWND) {
  if (isOpen || !current || !current->Open()) return FALSE;
  isOpen = true;
  return TRUE;
}

BOOL EmptyClipboard() { return isOpen && current->Empty() ? TRUE : FALSE; }

BOOL CloseClipboard() {
  if (!isOpen) return FALSE;
  isOpen = false;
  current->Close();
  return TRUE;
}
