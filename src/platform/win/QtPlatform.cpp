#include "platform/win/QtPlatform.h"

#include <memory>

#include "platform/win/QtClipboard.h"
#include "platform/win/QtSystemInfo.h"

void InstallQtPlatform(QtMessageBoxBackend::OwnerWidget ownerWidget) {
  static std::unique_ptr<QtMessageBoxBackend> messageBoxes;
  static QtSystemInfo systemInfo;
  static QtClipboard clipboard;
  auto backend = std::make_unique<QtMessageBoxBackend>(std::move(ownerWidget));
  SetMessageBoxBackend(backend.get());
  messageBoxes = std::move(backend);
  SetSystemInfo(&systemInfo);
  SetClipboard(&clipboard);
}
