#include "document/DocumentServices.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(RegenerateHint, CObject)

namespace {

DocumentApp* documentApp = nullptr;

}  // namespace

DocumentApp* SetDocumentApp(DocumentApp* app) {
  DocumentApp* previous = documentApp;
  documentApp = app;
  return previous;
}

DocumentApp& GetDocumentApp() {
  XASSERT(documentApp, "No application for the document");
  return *documentApp;
}

void DocumentApp::SerializeWindows(XDocument&, CArchive& ar) {
  DWORD frames = 0;
  if (ar.IsStoring()) {
    ar << frames;
    return;
  }
  ar >> frames;
  if (frames != 0) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}

namespace {

// An application without window frames has no window to name, close or re-create.
[[noreturn]] void NoWindows() {
  XASSERT_TEXT(false, "0", "No window frames");
  std::abort();
}

}  // namespace

int DocumentApp::FindDocTemplate(CView*) { NoWindows(); }
void DocumentApp::SerializeFrameLayout(CFrameWnd&, XDocument&, CArchive&) { NoWindows(); }
CFrameWnd& DocumentApp::CreateFrame(XDocument&, int) { NoWindows(); }
void DocumentApp::InitialUpdateFrame(XDocument&, int, CFrameWnd&) { NoWindows(); }
Ptr<PtrMyself> DocumentApp::GetFrameMyself(CFrameWnd&) { NoWindows(); }
CFrameWnd* DocumentApp::FrameOf(const Ptr<PtrMyself>&) { return nullptr; }
