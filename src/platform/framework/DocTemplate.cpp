#include "platform/framework/DocTemplate.h"

#include <algorithm>
#include <string>

#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinApp.h"
#include "platform/win/MessageBox.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

namespace {

constexpr UINT kUntitled = 61704;

void ReportFailure(UINT id) {
  CString text;
  text.LoadString(id);
  AfxMessageBox(text);
}

}  // namespace

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(documentClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {
  m_strDocStrings.LoadString(resourceId);
}

CDocTemplate::~CDocTemplate() {
  while (!documents_.empty()) {
    CDocument* document = documents_.back();
    documents_.pop_back();
    document->m_pDocTemplate = nullptr;
    document->OnCloseDocument();
  }
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
  const std::string& all = m_strDocStrings.str();
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = all.find('\n', start);
    if (start == std::string::npos) {
      text.Empty();
      return FALSE;
    }
    ++start;
  }
  const std::size_t end = all.find('\n', start);
  text = CString(all.substr(start, end == std::string::npos ? std::string::npos : end - start));
  return TRUE;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (!m_pDocClass) return nullptr;
  CObject* object = m_pDocClass->CreateObject();
  auto* document = dynamic_cast<CDocument*>(object);
  if (!document) {
    delete object;
    return nullptr;
  }
  AddDocument(document);
  return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document, CFrameWnd* other) {
  CCreateContext context;
  context.m_pCurrentFrame = other;
  context.m_pCurrentDoc = document;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  // A frame whose view cannot be made destroys itself half made: a view class without a factory
  // makes no frame at all.
  if (m_pViewClass && !m_pViewClass->m_pfnCreateObject) return nullptr;
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  auto* frame = dynamic_cast<CFrameWnd*>(object);
  if (!frame) {
    delete object;
    return nullptr;
  }
  CWinApp* app = AfxGetApp();
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, app ? app->m_pMainWnd : nullptr,
                        &context)) {
    // A frame whose window never came up was not deleted by its window.
    if (!frame->GetWidget()) delete frame;
    return nullptr;
  }
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible) {
  frame->InitialUpdateFrame(document, makeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* document) {
  CString title;
  if (!GetDocString(title, docName) || title.IsEmpty()) title.LoadString(kUntitled);
  document->SetTitle(title + std::to_string(m_nUntitledCount + 1).c_str());
}

void CDocTemplate::AddDocument(CDocument* document) {
  documents_.push_back(document);
  document->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* document) {
  std::erase(documents_, document);
  if (document->m_pDocTemplate == this) document->m_pDocTemplate = nullptr;
}

POSITION CDocTemplate::GetFirstDocPosition() const { return FirstPosition(documents_); }

CDocument* CDocTemplate::GetNextDoc(POSITION& position) const { return NextAt(documents_, position); }

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* pathName, BOOL makeVisible) {
  CDocument* document = CreateNewDocument();
  if (!document) {
    ReportFailure(AFX_IDP_FAILED_TO_CREATE_DOC);
    return nullptr;
  }
  // The document must outlive a frame that fails half-way.
  const BOOL autoDelete = document->m_bAutoDelete;
  document->m_bAutoDelete = FALSE;
  CFrameWnd* frame = CreateNewFrame(document, nullptr);
  document->m_bAutoDelete = autoDelete;
  if (!frame) {
    ReportFailure(AFX_IDP_FAILED_TO_CREATE_DOC);
    delete document;
    return nullptr;
  }
  if (!pathName) {
    SetDefaultTitle(document);
    if (!makeVisible) document->m_bEmbedded = TRUE;
    if (!document->OnNewDocument()) {
      frame->DestroyWindow();  // takes the view and with it the document
      return nullptr;
    }
    ++m_nUntitledCount;
  } else {
    if (!document->OnOpenDocument(pathName)) {
      frame->DestroyWindow();
      return nullptr;
    }
    document->SetPathName(pathName);
  }
  InitialUpdateFrame(frame, document, makeVisible);
  return document;
}
