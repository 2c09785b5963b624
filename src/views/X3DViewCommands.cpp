// The commands a camera window answers itself: the interactive modes, the ground, the sun, auto
// focus, fitting the scene into view; print commands stay off (the window's pixels never reach a
// printer), and the commands that change the document wait for a press to be decided and are
// refused during a drag.
#include <algorithm>
#include <iterator>
#include <numbers>
#include <vector>

#include "core/XMessageBox.h"
#include "document/UndoKind.h"
#include "document/XDocument.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/Help.h"
#include "platform/framework/MDIFrameWnd.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"
#include "shell/XApp.h"
#include "views/DragGeometry.h"
#include "views/InteractiveModes.h"
#include "views/SceneFit.h"
#include "views/X3DView.h"

namespace {

constexpr UINT kSunPointsUpMessage = 40210;
constexpr UINT kPointSunLightDescription = 376;
constexpr UINT kHelpPrintingCommand = 33136;
constexpr UINT kTileHorizontal = 33018;

// Undo, redo, delete, cut, paste, select all or none, import, the edit sheets, the sun, closing
// the scene: each could free or deselect what a drag holds.
constexpr UINT kDocumentChangingCommands[] = {57643, 57644, 57632, 57635, 57637, 33138, 33139, 33012,
                                              33137, 10302, 33120, 2103,  2104,  33131, 33028, 57602};

bool ChangesDocument(UINT id) {
  return std::find(std::begin(kDocumentChangingCommands), std::end(kDocumentChangingCommands), id) !=
         std::end(kDocumentChangingCommands);
}

// The scene's fixed-direction windows: camera windows of another kind than a general Camera, in
// frames of the same class as this window's.
std::vector<X3DView*> FixedDirectionViews(X3DView& self) {
  std::vector<X3DView*> views;
  const CRuntimeClass* frameClass = self.GetParentFrame()->GetRuntimeClass();
  XDocument& doc = *self.GetDocument();
  for (POSITION pos = doc.GetFirstViewPosition(); pos;) {
    auto* view = dynamic_cast<X3DView*>(doc.GetNextView(pos));
    if (view && view->settings.windowKind != 0 && view->GetParentFrame() &&
        view->GetParentFrame()->GetRuntimeClass() == frameClass)
      views.push_back(view);
  }
  return views;
}

// The camera's turn in a fixed-direction window: Left, Top and Front are opened here.
Transform FixedDirection(int kind) {
  constexpr double kQuarter = std::numbers::pi / 2;
  switch (kind) {
    case 5: return Transform(kQuarter, Vector(0, 1, 0));
    case 3: return Transform(kQuarter, Vector(1, 0, 0));
    default: return Transform();
  }
}

}  // namespace

BOOL X3DView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  if (mouseDown && ChangesDocument(id)) {
    if (!PressDeciding()) {
      if (code == CN_UPDATE_COMMAND_UI) static_cast<CCmdUI*>(extra)->Enable(FALSE);
      return TRUE;
    }
    // Until the press is decided the state the command will find is not known: asked whether a
    // key's or an item's command may run, the window takes it and holds it until the click is
    // done; menus and bars go on showing the state in force.
    if (code == CN_UPDATE_COMMAND_UI) {
      auto* cmdUI = static_cast<CCmdUI*>(extra);
      XScrollView::OnCmdMsg(id, code, extra, handlerInfo);
      if (!cmdUI->m_pAction) cmdUI->Enable(TRUE);
      return TRUE;
    }
    if (code == CN_COMMAND && !handlerInfo) {
      HoldInput(WM_COMMAND, id, 0);
      return TRUE;
    }
  }
  if (const int mode = InteractiveModeOfCommand(id); mode >= 0) {
    if (code == CN_COMMAND && handlerInfo) {  // only asks whether the command has a handler
      handlerInfo->pTarget = this;
      return TRUE;
    }
    if (code == CN_COMMAND) {
      XGetApp()->SetInteractiveMode(mode);
      return TRUE;
    }
    if (code == CN_UPDATE_COMMAND_UI) {
      static_cast<CCmdUI*>(extra)->SetRadio(GetInteractiveMode() == mode);
      return TRUE;
    }
  }
  return XScrollView::OnCmdMsg(id, code, extra, handlerInfo);
}

void X3DView::OnUpdatePrint(CCmdUI* cmdUI) { cmdUI->Enable(FALSE); }

void X3DView::OnViewGround() { XGetApp()->SetShowGround(!XGetApp()->GetShowGround()); }

void X3DView::OnUpdateViewGround(CCmdUI* cmdUI) { cmdUI->SetCheck(XGetApp()->GetShowGround()); }

void X3DView::OnPointSunLight() {
  // The sun shines down: a camera looking up, even slightly, cannot aim it.
  if (Dot(ViewDirection(settings.transform), Vector(0, 1, 0)) > 0.0) {
    XErrorBox(kSunPointsUpMessage);
    return;
  }
  XDocument* doc = GetDocument();
  XList<Ptr<GroupSO>> sun(10);
  sun.AddTail(doc->GetSunlight());
  doc->RecordUndo(kUndoTransformGroups, &sun, kPointSunLightDescription);
  doc->GetSunlight()->SetTransform(settings.transform);
  doc->UpdateAllViews(nullptr);
}

void X3DView::OnHelpPrinting() { WinHelp(0x10000 + kHelpPrintingCommand, HELP_CONTEXT); }

void X3DView::OnAutoFocusObject() {
  settings.autoFocusSelected = !settings.autoFocusSelected;
  GetDocument()->UpdateAllViews(nullptr);
}

void X3DView::OnUpdateAutoFocusObject(CCmdUI* cmdUI) { cmdUI->SetCheck(settings.autoFocusSelected); }

void X3DView::ShowEntireScene(BoundingBox box) {
  CRect client;
  GetClientRect(&client);
  // A window shrunk to nothing keeps its camera until it has an area again.
  const auto fit = FitSceneBox(settings.transform, settings.windowKind, box, client.Width(), client.Height(),
                               settings.focal, settings.front, _numerator.cy, _denominator.cy,
                               NewWindowSettings().height, settings.orthographic != 0);
  if (!fit) return;
  settings.height = fit->height;
  settings.transform = fit->camera;
  needsRender = TRUE;
}

void X3DView::OnWindowFrontTopLeft() {
  CWaitCursor wait;
  XDocument& doc = *GetDocument();
  // The command toggles: fixed-direction windows open, whoever opened them, are closed.
  if (const std::vector<X3DView*> fixed = FixedDirectionViews(*this); !fixed.empty()) {
    for (X3DView* view : fixed) view->OnWindowClose();
    return;
  }
  DocumentApp& app = GetDocumentApp();
  const int templateIndex = app.FindDocTemplate(this);
  for (int kind : {5, 3, 1}) {
    CFrameWnd& frame = app.CreateFrame(doc, templateIndex);
    app.InitialUpdateFrame(doc, templateIndex, frame);
    auto* view = dynamic_cast<X3DView*>(frame.GetActiveView());
    XASSERT_TEXT(view, "ISKINDOF( frame->GetActiveView(), X3DView )", "");
    view->settings.windowKind = kind;
    view->settings.transform = FixedDirection(kind);
    doc.RecordUndo(kUndoOpenWindow, &frame, 0);
  }
  doc.SetTitle(doc.GetTitle());
  if (auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd())) {
    main->MDIActivate(GetParentFrame());
    main->SendMessage(WM_COMMAND, kTileHorizontal);
  }
  const BoundingBox box = doc.GetSceneBox();
  for (X3DView* view : FixedDirectionViews(*this)) {
    view->ShowEntireScene(box);
    view->GetParentFrame()->Invalidate(TRUE);
  }
}

void X3DView::OnUpdateWindowFrontTopLeft(CCmdUI* cmdUI) {
  cmdUI->Enable(TRUE);
  cmdUI->SetCheck(!FixedDirectionViews(*this).empty());
}
