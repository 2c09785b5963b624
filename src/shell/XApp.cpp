#include "shell/XApp.h"

#include "core/NoMemoryHandler.h"
#include "platform/win/ProgramFiles.h"

IMPLEMENT_DYNAMIC(XApp, CWinApp)

namespace {

void EmptyTheObjectClipboard() { XGetApp()->EmptyObjectClipboard(); }

}  // namespace

XApp::XApp() {
  NoMemoryHandler(0);
  previousNewHandler = std::set_new_handler(&NoMemoryNewHandler);
  SetObjectClipboardEmptier(&EmptyTheObjectClipboard);
  programPath = ProgramPath().c_str();
}

XApp::~XApp() {
  SetObjectClipboardEmptier(nullptr);
  std::set_new_handler(previousNewHandler);
  NoMemoryHandler(0);
}

void XApp::EmptyObjectClipboard() { objectClipboard.RemoveAll(); }

XApp* XGetApp() {
  CWinApp* app = AfxGetApp();
  XASSERT(app, "");
  XASSERT(ISKINDOF( app, XApp ), "");
  return static_cast<XApp*>(app);
}
