#include "platform/framework/QtBackends.h"

#include "platform/framework/QtColorDialog.h"
#include "platform/framework/QtFileDialog.h"
#include "platform/framework/Wnd.h"
#include "platform/win/QtPlatform.h"

void AfxInstallQtBackends() {
  InstallQtPlatform([](HWND owner) -> QWidget* {
    CWnd* wnd = owner ? CWnd::FromHandle(owner) : nullptr;
    return wnd ? wnd->GetWidget() : nullptr;
  });
  // Never destroyed: objects destroyed at exit may still ask for them.
  static auto* fileDialogs = new QtFileDialogBackend;
  static auto* colorDialogs = new QtColorDialogBackend;
  SetFileDialogBackend(fileDialogs);
  SetColorDialogBackend(colorDialogs);
}
