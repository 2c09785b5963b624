#include "platform/framework/Document.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/framework/Archive.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/File.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/win/FileReplace.h"
#include "platform/win/MessageBox.h"
#include "platform/win/SavingFiles.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

// The message `id` with "%1" replaced by `argument`.
std::string FormatMessage1(UINT id, const char* argument) {
  CString format;
  format.LoadString(id);
  std::string text = format.str();
  if (const std::size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, argument ? argument : "");
  return text;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CDocument::~CDocument() {
  for (CView* view : views_) view->m_pDocument = nullptr;
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* title) {
  title_ = title;
  for (CView* view : views_)
    if (CFrameWnd* frame = view->GetParentFrame()) frame->OnUpdateFrameTitle(TRUE);
}

CString FullPathName(const char* path) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path ? path : "", error);
  return error ? CString(path) : CString(full.lexically_normal().string());
}

void CDocument::SetPathName(const char* pathName, BOOL addToMRU) {
  pathName_ = FullPathName(pathName);
  SetTitle(FileNameOf(pathName_.str()).c_str());
  if (addToMRU)
    if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(pathName_);
}

void CDocument::AddView(CView* view) {
  if (std::find(views_.begin(), views_.end(), view) != views_.end()) return;
  views_.push_back(view);
  view->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
  auto it = std::find(views_.begin(), views_.end(), view);
  if (it == views_.end()) return;
  views_.erase(it);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const { return FirstPosition(views_); }

CView* CDocument::GetNextView(POSITION& position) const { return NextAt(views_, position); }

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  const std::vector<CView*> views = views_;  // a view may leave while it updates
  for (CView* view : views)
    if (view != sender && std::find(views_.begin(), views_.end(), view) != views_.end())
      view->OnUpdate(sender, hint, hintObject);
}

void CDocument::OnChangedViewList() {
  if (views_.empty() && m_bAutoDelete) OnCloseDocument();
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  SetModifiedFlag(FALSE);
  return TRUE;
}

std::unique_ptr<CFile> CDocument::GetFile(const char* fileName, UINT openFlags, CFileException* error) {
  auto file = std::make_unique<CFile>();
  if (!file->Open(fileName, openFlags, error)) return nullptr;
  return file;
}

BOOL CDocument::OnOpenDocument(const char* pathName) {
  CFileException openError;
  const std::unique_ptr<CFile> file = GetFile(pathName, CFile::modeRead, &openError);
  if (!file) {
    ReportSaveLoadException(pathName, &openError, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(TRUE);  // a load that fails half-way leaves a changed document
  try {
    SerializeThrough(*file, CArchive::load);
  } catch (CException& e) {
    file->Abort();
    DeleteContents();
    ReportSaveLoadException(pathName, &e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  file->Abort();  // nothing written: closing cannot lose anything
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* pathName) {
  const std::string target = ResolveLinks(pathName ? pathName : "");
  RemoveAbandonedSaves(target);
  const std::string temporary = SavingPathFor(target);
  CFileException openError;
  const std::unique_ptr<CFile> file = GetFile(temporary.c_str(), CFile::modeCreate | CFile::modeWrite, &openError);
  if (!file) {
    ReportSaveLoadException(pathName, &openError, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  try {
    SerializeThrough(*file, CArchive::store);
    file->Flush();
    file->Close();
  } catch (CException& e) {
    file->Abort();
    std::remove(temporary.c_str());
    ReportSaveLoadException(pathName, &e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  if (::chmod(temporary.c_str(), ReplacementMode(target, NewFileMode::fromUmask)) != 0 ||
      std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    CFileException renameError(CFileException::accessDenied, pathName);
    ReportSaveLoadException(pathName, &renameError, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

// Reads or writes the document through an archive on `file`; an archive that fails is abandoned
// without flushing, and the failure goes on to the caller.
void CDocument::SerializeThrough(CFile& file, UINT mode) {
  CArchive ar(&file, mode);
  ar.m_pDocument = this;
  try {
    Serialize(ar);
    ar.Close();
  } catch (...) {
    ar.Abort();
    throw;
  }
}

void CDocument::ReportSaveLoadException(const char* pathName, CException* e, BOOL, UINT defaultPromptId) {
  if (dynamic_cast<CUserException*>(e)) return;  // already reported by whoever threw it
  // A message that does not name the file gets the path below it: the user must know which.
  CString format;
  format.LoadString(defaultPromptId);
  std::string text = FormatMessage1(defaultPromptId, pathName);
  if (format.Find("%1") < 0 && pathName && *pathName) text += std::string("\n\n") + pathName;
  AfxMessageBox(text.c_str());
}

void CDocument::OnCloseDocument() {
  // Destroying the frames takes the views away; the document must survive that.
  const BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!views_.empty()) {
    CView* view = views_.front();
    if (CFrameWnd* frame = view->GetParentFrame()) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    } else {
      view->DestroyWindow();
    }
    if (!views_.empty() && views_.front() == view) RemoveView(view);
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) {
  for (CView* view : views_)
    if (view->GetParentFrame() != frame) return TRUE;  // another frame keeps the document
  return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  const std::string name = pathName_.IsEmpty() ? title_.str() : FileNameOf(pathName_.str());
  switch (AfxMessageBox(FormatMessage1(AFX_IDP_ASK_TO_SAVE, name.c_str()).c_str(), MB_YESNOCANCEL)) {
    case IDYES: return DoFileSave();
    case IDNO: return TRUE;
    default: return FALSE;
  }
}

BOOL CDocument::DoSave(const char* pathName, BOOL replace) {
  CString newName = pathName;
  if (newName.IsEmpty()) {
    CDocTemplate* docTemplate = GetDocTemplate();
    CString name = pathName_.IsEmpty() ? title_ : CString(FileNameOf(pathName_.str()));
    CString filterName, filterExt;
    if (docTemplate) {
      docTemplate->GetDocString(filterName, CDocTemplate::filterName);
      docTemplate->GetDocString(filterExt, CDocTemplate::filterExt);
    }
    // A name without the extension gets it, as the dialog would add it.
    if (!filterExt.IsEmpty() && name.Find('.') < 0) name += filterExt;
    const CString filter = filterExt.IsEmpty() ? CString() : filterName + "|*" + filterExt + "||";
    CFileDialog dialog(FALSE, name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                       filter.IsEmpty() ? nullptr : static_cast<const char*>(filter));
    if (dialog.DoModal() != IDOK) return FALSE;
    newName = dialog.GetPathName();
  }
  if (!OnSaveDocument(newName)) return FALSE;
  if (replace) SetPathName(newName);
  return TRUE;
}

BOOL CDocument::DoFileSave() {
  // A file the user may not replace is saved under a new name.
  if (pathName_.IsEmpty() || IsReadOnlyFile(pathName_.str())) return DoSave(nullptr);
  return DoSave(pathName_);
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }
