#include "platform/win/QtPlatform.h"

#include "platform/win/QtClipboard.h"
#include "platform/win/QtSystemInfo.h"

// The services are never destroyed: objects destroyed at exit may still use them (each checks
// that its QApplication still exists).
void InstallQtPlatform(QtMessageBoxBackend::OwnerWidget ownerWidget) {
  static QtMessageBoxBackend* messageBoxes = nullptr;
  static auto* systemInfo = new QtSystemInfo;
  static auto* clipboard = new QtClipboard;
  QtMessageBoxBackend* previous = messageBoxes;
  messageBoxes = new QtMessageBoxBackend(std::move(ownerWidget));
  SetMessageBoxBackend(messageBoxes);
  delete previous;
  SetSystemInfo(systemInfo);
  SetClipboard(clipboard);
}
