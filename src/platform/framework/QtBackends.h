// The desktop's own message boxes, file and colour dialogs, clipboard and settings, installed by
// AfxWinMain once the QApplication exists. A message box belongs to the widget of its owner window.
#pragma once

void AfxInstallQtBackends();
