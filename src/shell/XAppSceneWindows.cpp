// The windows of scenes as the application makes them: the camera windows' child frames, made by
// the camera-window template, and the windows' part of a scene file.
#include <algorithm>
#include <vector>

#include "core/NoMemoryHandler.h"
#include "document/XDocument.h"
#include "platform/framework/View.h"
#include "shell/DocTemplates.h"
#include "shell/FirstWindowArrangement.h"
#include "shell/XApp.h"
#include "shell/XAppDocumentServices.h"
#include "shell/XFrameWnd.h"

namespace {

// Frame creation that fails is retried after the low-memory handler, a few times only: a frame
// that cannot be made for another reason must not hang the program.
constexpr int kFrameAttempts = 3;

XFrameWnd& ProgramFrame(CFrameWnd* frame) {
  XASSERT_TEXT(frame && ISKINDOF( frame, XFrameWnd ), "ISKINDOF( (CFrameWnd*)frame, XFrameWnd )", "");
  return *static_cast<XFrameWnd*>(frame);
}

[[noreturn]] void Damaged(CArchive& ar) { AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName); }

CMDIFrameWnd* MainMDIFrame() { return dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()); }

// The frame of the document that was active: the active child when it shows this scene, else
// the frame of the document's first view.
XFrameWnd* ActiveFrameOf(XDocument& doc) {
  CMDIFrameWnd* main = MainMDIFrame();
  CMDIChildWnd* active = main ? main->MDIGetActive() : nullptr;
  CView* first = nullptr;
  for (POSITION pos = doc.GetFirstViewPosition(); pos;) {
    CView* view = doc.GetNextView(pos);
    if (!first) first = view;
    if (active && view->GetParentFrame() == active) return &ProgramFrame(active);
  }
  XASSERT(first, "Document being saved has no views");
  return &ProgramFrame(first->GetParentFrame());
}

}  // namespace

int XAppDocumentServices::FindDocTemplate(CView* view) { return app_.FindDocTemplate(view); }

void XAppDocumentServices::SerializeFrameLayout(CFrameWnd& frame, XDocument& document, CArchive& ar) {
  ProgramFrame(&frame).SerializeLayout(ar, &document);
}

CFrameWnd& XAppDocumentServices::CreateFrame(XDocument& document, int templateIndex) {
  for (int attempt = 1;; ++attempt) {
    // The template is looked up anew each time.
    if (CFrameWnd* frame = app_.GetDocTemplate(templateIndex)->docTemplate->CreateNewFrame(&document, nullptr))
      return ProgramFrame(frame);
    if (attempt == kFrameAttempts) AfxThrowMemoryException();
    NoMemoryHandler(1);
  }
}

void XAppDocumentServices::InitialUpdateFrame(XDocument& document, int templateIndex, CFrameWnd& frame) {
  app_.GetDocTemplate(templateIndex)->docTemplate->InitialUpdateFrame(&frame, &document, TRUE);
}

Ptr<PtrMyself> XAppDocumentServices::GetFrameMyself(CFrameWnd& frame) {
  return ProgramFrame(&frame).GetIdentity()->GetMyself();
}

CFrameWnd* XAppDocumentServices::FrameOf(const Ptr<PtrMyself>& handle) {
  Myself* target = handle ? handle->GetTarget() : nullptr;
  if (!target || target == PtrMyself::Destroyed()) return nullptr;
  auto* identity = dynamic_cast<FrameIdentity*>(target);
  return identity ? identity->frame : nullptr;
}

BOOL XAppDocumentServices::OpenFirstCameraWindow(XDocument& document) {
  CDocTemplate* cameras = app_.GetDocTemplate(kCameraWindowTemplate)->docTemplate;
  CFrameWnd* frame = cameras->CreateNewFrame(&document, nullptr);
  if (!frame) return FALSE;
  cameras->InitialUpdateFrame(frame, &document, TRUE);
  ArrangeFirstCameraWindow(ProgramFrame(frame));
  return TRUE;
}

void XAppDocumentServices::SerializeWindows(XDocument& document, CArchive& ar) {
  if (ar.IsStoring()) {
    const std::vector<CFrameWnd*> frames = document.GetFrames();
    ar << static_cast<DWORD>(frames.size());
    for (CFrameWnd* frame : frames) {
      XASSERT(ISKINDOF( frame, XFrameWnd ), "frame && ISKINDOF( frame, XFrameWnd )");
      ar << static_cast<DWORD>(app_.FindDocTemplate(document.GetView(frame, 0)));
      static_cast<XFrameWnd*>(frame)->SerializeLayout(ar, &document);
    }
    ar << ActiveFrameOf(document)->GetIdentity()->GetMyself();
    return;
  }
  // A scene is always shown in at least one window, and only in camera windows. Frames made here
  // before the read fails are closed by the template with the document.
  DWORD count = 0;
  ar >> count;
  if (count == 0) Damaged(ar);
  std::vector<CFrameWnd*> made;
  for (DWORD i = 0; i < count; ++i) {
    DWORD templateIndex = 0;
    ar >> templateIndex;
    if (templateIndex != kCameraWindowTemplate) Damaged(ar);
    CFrameWnd& frame = CreateFrame(document, kCameraWindowTemplate);
    made.push_back(&frame);
    ProgramFrame(&frame).SerializeLayout(ar, &document);
    InitialUpdateFrame(document, kCameraWindowTemplate, frame);
  }
  Ptr<PtrMyself> active;
  ar >> active;
  CFrameWnd* frame = FrameOf(active);
  if (std::find(made.begin(), made.end(), frame) == made.end()) Damaged(ar);
  if (CMDIFrameWnd* main = MainMDIFrame(); main && main->GetMDIClient())
    main->GetMDIClient()->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd), 0);
}
