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

HGLOBAL SetClipboardData(UINT format, HGLOBAL block) {
  if (!isOpen || !block) return nullptr;
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
  const bool taken = current->SetData(format, bytes, GlobalSize(block));
  GlobalUnlock(block);
  if (!taken) return nullptr;
  GlobalFree(block);
  return block;
}

BOOL CloseClipboard() {
  if (!isOpen) return FALSE;
  isOpen = false;
  current->Close();
  return TRUE;
}
