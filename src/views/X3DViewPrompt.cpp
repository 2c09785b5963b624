// The status prompt of a camera window: what a press and drag would do under the pointer in the
// effective mode, what the drag under way does, or why the mode cannot be used here; refusals
// are highlighted and shown with the prohibition cursor.
#include "core/FatalReport.h"
#include "core/Globals.h"
#include "dialogs/SmartHelp.h"
#include "document/XDocument.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/Cursors.h"
#include "shell/XMainFrame.h"
#include "views/CountedClientDC.h"
#include "views/DragGeometry.h"
#include "views/StatusPrompts.h"
#include "views/X3DView.h"

void X3DView::UpdateStatusPromptCallback(void* argument) {
  auto* object = static_cast<CObject*>(argument);
  XASSERT_TEXT(ISKINDOF(object, X3DView), "ISKINDOF( argument, X3DView )", "");
  static_cast<X3DView*>(static_cast<CScrollView*>(object))->UpdateStatusPrompt(-1);
}

StatusPrompt X3DView::ChoosePrompt(int mode, POINT cursor) {
  PickRecord pick = mouseDownPick;
  if (!mouseDown) {
    CountedClientDC dc(this);
    dc.DPtoLP(&cursor, 1);
    pick = Pick(XDPoint(cursor.x, cursor.y));
  }
  XDocument* doc = GetDocument();
  PromptInputs in;
  static_cast<DragConditions&>(in) = Conditions(pick);
  in.mode = mode;
  in.pressed = mouseDown != FALSE;
  in.pickedIsCylinder = pick.picked && pick.group == static_cast<GroupSO*>(doc->GetRotObjAboutCylPtr());
  in.sceneEmpty = SceneIsEmpty();
  in.rotateWithTracking = Globals::GetRotateWithTracking();
  in.trackSet = IsTrackSet(mouseDownTrack);
  return ChooseStatusPrompt(in);
}

void X3DView::UpdateStatusPrompt(int mode) {
  if (mode == -1) mode = GetInteractiveMode();
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  const StatusPrompt prompt = ChoosePrompt(mode, cursor);
  if (XMainFrame* frame = XGetMainFrame()) frame->GetStatusBar().SetStatusText(prompt.id, nullptr, prompt.highlight);
  SetCursor(prompt.cursor ? LoadCursorResource(static_cast<UINT>(prompt.cursor)) : LoadStandardCursor(IDC_ARROW));
}

LRESULT X3DView::OnHelpHitTest(WPARAM, LPARAM lParam) {
  return static_cast<LRESULT>(XHelpTopicOfPrompt(ChoosePrompt(GetInteractiveMode(), XPointOfLParam(lParam)).id));
}

void X3DView::OnInitialUpdate() {
  XScrollView::OnInitialUpdate();
  XASSERT_TEXT(::IsWindow(m_hWnd), "::IsWindow( m_hWnd )", "");
  if (XMainFrame* frame = XGetMainFrame()) {
    frame->GetStatusBar().RegisterStatusCallback(m_hWnd, &X3DView::UpdateStatusPromptCallback,
                                                 static_cast<CObject*>(static_cast<CScrollView*>(this)));
    promptRegistered = TRUE;
  }
  ResumeImprovement();
}

void X3DView::OnDestroy() {
  if (mouseDown) FinishPress();
  XMainFrame* frame = XGetMainFrame();
  if (promptRegistered && frame) frame->GetStatusBar().UnregisterStatusCallback(m_hWnd);
  promptRegistered = FALSE;
  CView::OnDestroy();
}
