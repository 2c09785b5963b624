#include "document/DocumentServices.h"

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
