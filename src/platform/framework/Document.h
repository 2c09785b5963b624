// A document: the data behind one or more views. It knows its file (path and title), whether it
// changed since it was last saved, and its views in the order they were added; it runs the
// framework's New, Open, Save, Save As and Close steps.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/Position.h"
#include "platform/framework/String.h"

class CFile;

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument() = default;
  // Detaches the views still registered (they outlive a document only while being torn down).
  ~CDocument() override;

  const CString& GetTitle() const { return title_; }
  virtual void SetTitle(const char* title);
  const CString& GetPathName() const { return pathName_; }
  // Sets the path and takes its file name as the title; with `addToMRU` the path goes to the top
  // of the application's recent-file list.
  virtual void SetPathName(const char* pathName, BOOL addToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  virtual BOOL IsModified() { return modified_; }
  virtual void SetModifiedFlag(BOOL modified = TRUE) { modified_ = modified; }

  // Views, in the order they were added.
  virtual void AddView(CView* view);
  virtual void RemoveView(CView* view);
  POSITION GetFirstViewPosition() const;
  CView* GetNextView(POSITION& position) const;
  // Calls OnUpdate of every view except `sender`, in view order.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

  // Empties the document's data; the steps below call it before loading or starting afresh.
  virtual void DeleteContents() {}
  // A new, empty document: DeleteContents, not modified.
  virtual BOOL OnNewDocument();
  // Loads `pathName` through Serialize. On failure the error is reported, the contents are
  // deleted and the result is FALSE.
  virtual BOOL OnOpenDocument(const char* pathName);
  // Writes the document through Serialize into a temporary file beside `pathName` and renames it
  // over the target when complete, so a failure keeps the previous file. A symbolic link stays
  // and the file it leads to is replaced, keeping its permissions; files that killed saves left
  // beside it go. Reports failures.
  virtual BOOL OnSaveDocument(const char* pathName);
  // Opens the file a load reads or a save writes; null (with `error` filled) when it cannot.
  virtual std::unique_ptr<CFile> GetFile(const char* fileName, UINT openFlags, CFileException* error);
  // Destroys every frame of the document's views, deletes the contents, and deletes the
  // document itself when m_bAutoDelete is set.
  virtual void OnCloseDocument();

  // Asked before a frame of this document closes: TRUE when it may. A document's last frame may
  // close once SaveModified agreed.
  virtual BOOL CanCloseFrame(CFrameWnd* frame);
  virtual void PreCloseFrame(CFrameWnd* frame);
  // The save prompt for a modified document: Yes saves, No drops the changes, Cancel (or a
  // failed save) answers FALSE.
  virtual BOOL SaveModified();
  // Saves under `pathName`, or asks for a name first when it is null or empty. With `replace`
  // the document takes the new path. FALSE when cancelled or failed.
  virtual BOOL DoSave(const char* pathName, BOOL replace = TRUE);
  // Save: to the document's path, or Save As when it has none or its file is read-only.
  virtual BOOL DoFileSave();
  // Tells the user a load or save failed: silent for a CUserException, else the message
  // `defaultPromptId` (a "%1" in it takes the path).
  virtual void ReportSaveLoadException(const char* pathName, CException* e, BOOL saving, UINT defaultPromptId);
  // The list of views changed: a document without views closes when it deletes itself.
  virtual void OnChangedViewList();

  // The File menu's commands as the document runs them.
  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();

  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;
  CDocTemplate* m_pDocTemplate = nullptr;

  DECLARE_MESSAGE_MAP()

 private:
  void SerializeThrough(CFile& file, UINT mode);
  CString title_;
  CString pathName_;
  BOOL modified_ = FALSE;
  std::vector<CView*> views_;
};

// The absolute, normalised form of a path, as documents keep it.
CString FullPathName(const char* path);

// String ids of the framework's document messages.
constexpr UINT AFX_IDP_FAILED_TO_OPEN_DOC = 61697;
constexpr UINT AFX_IDP_FAILED_TO_CREATE_DOC = 61700;
constexpr UINT AFX_IDP_FAILED_TO_SAVE_DOC = 61702;
constexpr UINT AFX_IDP_ASK_TO_SAVE = 61703;

// File command ids.
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_FILE_SAVE_ALL = 57605;
constexpr UINT ID_FILE_PRINT_SETUP = 57606;
constexpr UINT ID_FILE_MRU_FILE1 = 57616;
constexpr UINT ID_FILE_MRU_LAST = 57631;
constexpr UINT ID_APP_EXIT = 57665;
