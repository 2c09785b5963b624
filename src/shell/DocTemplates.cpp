#include "shell/DocTemplates.h"

#include <algorithm>
#include <vector>

#include "core/FatalReport.h"
#include "platform/framework/Document.h"
#include "platform/framework/File.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"
#include "platform/win/MessageBox.h"
#include "shell/XFrameWnd.h"

IMPLEMENT_DYNAMIC(XMultiDocTemplate, CMultiDocTemplate)

namespace {

bool DocStringEmpty(const CDocTemplate& docTemplate, CDocTemplate::DocStringIndex index) {
  CString text;
  docTemplate.GetDocString(text, index);
  return text.IsEmpty();
}

// Reads a scene file into `document`, which must not delete itself when the reading fails.
BOOL ReadDocument(CDocument* document, const char* pathName) {
  const CWaitCursor wait;
  const BOOL autoDelete = document->m_bAutoDelete;
  document->m_bAutoDelete = FALSE;
  const BOOL opened = document->OnOpenDocument(pathName);
  document->m_bAutoDelete = autoDelete;
  return opened;
}

// The windows of a document whose reading failed go before the document does, so that none is
// left showing a deleted document.
void CloseDocumentWindows(CDocument* document) {
  std::vector<CWnd*> windows;
  for (POSITION pos = document->GetFirstViewPosition(); pos;) {
    CView* view = document->GetNextView(pos);
    CWnd* frame = view->GetParentFrame();
    CWnd* window = frame ? frame : view;
    if (std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
  }
  document->m_bAutoDelete = FALSE;
  for (CWnd* window : windows) window->DestroyWindow();
}

const CRuntimeClass* cameraViewClass = nullptr;

}  // namespace

void RegisterCameraViewClass(const CRuntimeClass* viewClass) { cameraViewClass = viewClass; }

const CRuntimeClass* CameraViewClass() { return cameraViewClass ? cameraViewClass : RUNTIME_CLASS(CView); }

void XMultiDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible) {
  XASSERT(ISKINDOF( frame, XFrameWnd ), "ISKINDOF( pFrame, XFrameWnd )");
  static_cast<XFrameWnd*>(frame)->InitialUpdateFrame(document, makeVisible);
}

DocTemplateEntry::DocTemplateEntry(UINT resourceId, const CRuntimeClass* documentClass,
                                   const CRuntimeClass* frameClass, const CRuntimeClass* viewClass,
                                   BOOL viewsOnlyFlag)
    : docTemplate(new XMultiDocTemplate(resourceId, documentClass, frameClass, viewClass)),
      document(documentClass),
      frame(frameClass),
      view(viewClass),
      viewsOnly(viewsOnlyFlag) {
  AfxGetApp()->AddDocTemplate(docTemplate);  // the application owns it from here, checks or not
  const CDocTemplate& t = *docTemplate;
  XASSERT(DocStringEmpty(t, CDocTemplate::windowTitle),
          "CMultiDocTemplate s must have an empty CDocTemplate::windowTitle");
  if (!viewsOnly) return;
  // A views-only template describes no file type and no document of its own.
  static constexpr struct {
    CDocTemplate::DocStringIndex index;
    const char* message;
  } kMustBeEmpty[] = {
      {CDocTemplate::fileNewName, "View only, document templates must have an empty CDocTemplate::fileNewName"},
      {CDocTemplate::filterName, "View only, document templates must have an empty CDocTemplate::filterName"},
      {CDocTemplate::filterExt, "View only, document templates must have an empty CDocTemplate::filterExt"},
      {CDocTemplate::regFileTypeId, "View only, document templates must have an empty CDocTemplate::regFileTypeId"},
      {CDocTemplate::regFileTypeName, "View only, document templates must have an empty CDocTemplate::regFileTypeName"},
      {CDocTemplate::docName, "View only, document templates must have an empty CDocTemplate::docName"},
  };
  for (const auto& part : kMustBeEmpty) XASSERT_TEXT(DocStringEmpty(t, part.index), "DocStringEmpty", part.message);
}

CDocument* XMultiDocTemplate::OpenDocumentFile(const char* pathName, BOOL makeVisible) {
  CDocument* document = CreateNewDocument();
  if (!document) {
    CString text;
    text.LoadString(AFX_IDP_FAILED_TO_CREATE_DOC);
    AfxMessageBox(text);
    return nullptr;
  }
  if (!pathName) return OpenNewDocument(document, nullptr, makeVisible);

  std::uint64_t length = 0;
  {
    CFile file;
    CFileException error;
    if (!file.Open(pathName, CFile::modeRead, &error)) {
      document->ReportSaveLoadException(pathName, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
      delete document;
      return nullptr;
    }
    length = file.GetLength();
  }
  if (length == 0) return OpenNewDocument(document, pathName, makeVisible);

  const BOOL opened = ReadDocument(document, pathName);
  if (!opened) {
    CloseDocumentWindows(document);
    delete document;
    return nullptr;
  }
  document->SetPathName(pathName, TRUE);
  return document;
}

CDocument* XMultiDocTemplate::OpenNewDocument(CDocument* document, const char* pathName, BOOL makeVisible) {
  if (!makeVisible) document->m_bEmbedded = TRUE;
  const BOOL autoDelete = document->m_bAutoDelete;
  document->m_bAutoDelete = FALSE;
  const BOOL made = document->OnNewDocument();
  document->m_bAutoDelete = autoDelete;
  if (!made) {
    CloseDocumentWindows(document);
    delete document;
    return nullptr;
  }
  if (pathName)
    document->SetPathName(pathName, TRUE);
  else
    SetDefaultTitle(document);
  ++m_nUntitledCount;
  return document;
}
