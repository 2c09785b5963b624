// A view: a child window of a frame that shows (part of) one document. It registers with its
// document when created and leaves it when destroyed, and deletes itself once its window is gone.
#pragma once

#include "platform/framework/Wnd.h"

class CDC;
class CDocument;
struct CPrintInfo;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  CView() = default;
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }

  // Runs once after the view's frame is made, before it is shown: OnUpdate with no hint.
  virtual void OnInitialUpdate();
  // The document changed (UpdateAllViews): by default the whole view is redrawn.
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  // Draws the view's contents; painting calls it with a paint context prepared by OnPrepareDC.
  virtual void OnDraw(CDC* dc) = 0;
  // Sets up the context before drawing (a scroll view moves the origin by its position).
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  // The view became (or stopped being) the frame's active view.
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);

  // The view's own handlers, then its document's.
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

  CDocument* m_pDocument = nullptr;

 protected:
  void PostNcDestroy() override;
  int OnCreate(LPCREATESTRUCT createStruct);
  void OnDestroy();
  void OnPaint();
  LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};
