// Switches the desktop services to Qt: message boxes, desktop settings and the clipboard. The
// program calls it once its QApplication exists.
#pragma once

#include "platform/win/QtMessageBox.h"

void InstallQtPlatform(QtMessageBoxBackend::OwnerWidget ownerWidget = {});
