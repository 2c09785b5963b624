// Document templates: what kind of document, frame and view belong together, and the texts that
// describe the document kind. The template makes documents and their frames and keeps the
// documents it made.
#pragma once

#include <vector>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Position.h"
#include "platform/framework/String.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 public:
  // The parts of the template's string, separated by '\n' in this order.
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

  CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
               const CRuntimeClass* viewClass);
  // Deletes the documents still open.
  ~CDocTemplate() override;

  // One part of the template's string; FALSE (and an empty text) when the part is missing.
  virtual BOOL GetDocString(CString& text, DocStringIndex index) const;

  virtual CDocument* CreateNewDocument();
  // A frame with a view of `document`; null when it cannot be made.
  virtual CFrameWnd* CreateNewFrame(CDocument* document, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible = TRUE);
  // A new document (no path) or one read from `pathName`, shown in a new frame; null on failure,
  // with nothing left behind.
  virtual CDocument* OpenDocumentFile(const char* pathName, BOOL makeVisible = TRUE) = 0;
  // The default title of a new document: the document name, or "Untitled" and a number.
  virtual void SetDefaultTitle(CDocument* document);

  virtual void AddDocument(CDocument* document);
  virtual void RemoveDocument(CDocument* document);
  POSITION GetFirstDocPosition() const;
  CDocument* GetNextDoc(POSITION& position) const;

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  UINT m_nUntitledCount = 0;

 protected:
  CString m_strDocStrings;
  std::vector<CDocument*> documents_;
};

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
 public:
  using CDocTemplate::CDocTemplate;
  CDocument* OpenDocumentFile(const char* pathName, BOOL makeVisible = TRUE) override;
};
