// The left and right buttons in a camera window: a press picks what lies under the pointer and is
// decided between a click, a double click and a drag; each accepted drag move changes the scene
// or the camera, re-renders this window at once and the scene's other windows while the mouse
// rests.
#include <cfloat>

#include "core/Globals.h"
#include "core/XMessageBox.h"
#include "document/XDocument.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/PeekMessage.h"
#include "platform/win/TickCount.h"
#include "views/CountedClientDC.h"
#include "views/DragGeometry.h"
#include "views/DragRecords.h"
#include "views/InteractiveModes.h"
#include "views/PressTargets.h"
#include "views/X3DView.h"

namespace {

constexpr UINT kEmptySceneMessage = 40054;
constexpr UINT_PTR kPressTimer = 0x3D01;

bool IsPoint(const BoundingBox& box) {
  return box.min.x == box.max.x && box.min.y == box.max.y && box.min.z == box.max.z;
}

}  // namespace

int X3DView::GetInteractiveMode() const {
  return EffectiveInteractiveMode(GetDocumentApp().GetInteractiveMode(), CurrentHeldKeys());
}

bool X3DView::SceneIsEmpty() { return IsPoint(GetDocument()->GetSceneBox()); }

bool X3DView::PassesPressOn() {
  if (!mouseDown && !SceneIsEmpty()) return false;
  Default();
  if (!mouseDown) XInfoBox(kEmptySceneMessage);
  return true;
}

DragConditions X3DView::Conditions(const PickRecord& pick) {
  XDocument* doc = GetDocument();
  DragConditions c;
  c.picked = pick.picked != 0;
  c.pickedIsSelected = c.picked && doc->IsSelected(Ptr<GroupSO>(pick.group));
  c.selectedCount = doc->GetSelectedCount();
  c.cameraKind = settings.windowKind == 0;
  c.trackSceneExtents = Globals::GetTrackSceneExtents();
  c.orthographic = settings.orthographic != FALSE;
  c.autoFocus = settings.autoFocusSelected != FALSE;
  c.autoAperture = settings.autoAperture != FALSE;
  c.fStop = settings.fstop;
  c.sightHorizontal = IsSightHorizontal(settings.transform);
  return c;
}

void X3DView::OnLButtonDown(UINT flags, CPoint point) {
  // A press while a click waits for its second half settles that click first.
  if (mousePress && mousePress->IsDown() && !mousePress->IsDragging()) mousePress->Timeout();
  if (PassesPressOn()) return;
  XDocument* doc = GetDocument();
  mouseDown = TRUE;
  mouseDownFlags = flags;
  mouseLastPoint = XPoint(point.x, point.y);
  mouseDownDragged = FALSE;
  mouseDownInteractiveMode = -1;
  mouseDownDC = new CountedClientDC(this);
  SetCapture();
  mouseDownPoint = XDPoint(point.x, point.y);
  mouseDownDC->DPtoLP(mouseDownPoint);
  mouseDownPick = Pick(mouseDownPoint);
  mouseDownHeld = mouseDownPick.picked ? Ptr<GroupSO>(mouseDownPick.group) : Ptr<GroupSO>();
  const int selected = doc->GetSelectedCount();
  if (mouseDownPick.picked && (selected < 2 || doc->IsSelected(mouseDownHeld)))
    mouseDownTrack = Vector(mouseDownPick.desc.vPosition.x, mouseDownPick.desc.vPosition.y,
                            mouseDownPick.desc.vPosition.z);
  else
    UnsetTrack(mouseDownTrack);
  mouseDownSceneBox = doc->GetSceneBox();
  mouseDownCenter = PressCenter(*doc, mouseDownHeld, GetInteractiveMode(), mouseDownSceneBox);
  mousePress = std::make_unique<MousePress>(
      static_cast<MousePressClient&>(*this), MousePress::Settings{Globals::GetDoubleClickTime(), Globals::GetDragWidth(), Globals::GetDragHeight()},
      [] { return GetTickCount(); });
  mousePress->Press(point);
  Default();
}

void X3DView::ArmPressTimer(DWORD milliseconds) { SetTimer(kPressTimer, milliseconds); }

void X3DView::OnTimer(UINT_PTR id) {
  if (id != kPressTimer) {
    Default();
    return;
  }
  KillTimer(kPressTimer);
  if (mousePress) mousePress->Timeout();
}

void X3DView::StartDrag() {
  XDocument* doc = GetDocument();
  const int mode = GetInteractiveMode();
  if (mouseDownPick.picked && doc->GetSelectedCount() < 2 && mode != rotateObjectAboutMode && mode != 13)
    doc->SelectOnly(mouseDownHeld, TRUE, 0);
  // What was held arrives during the drag, which refuses it as it refuses anything then.
  RunHeldInput();
}

bool X3DView::PressDeciding() const { return mouseDown && mousePress && !mousePress->IsDragging(); }

void X3DView::HoldInput(UINT message, WPARAM wParam, LPARAM lParam) {
  heldInput.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}});
}

void X3DView::RunHeldInput() {
  std::vector<MSG> held;
  held.swap(heldInput);
  CFrameWnd* top = GetTopLevelFrame();
  const HWND frame = top ? top->m_hWnd : nullptr;
  // One after the other, each once the one before is done: a right press or a command that opens
  // a modal sheet has it closed before the next command can change what the sheet is editing. A
  // command may close this window, so from here on only handles are used.
  for (const MSG& input : held) {
    // A command goes where the user's command went; as the keys' commands (code 1) do, it first
    // asks the update handlers whether it may run in the state the decision left.
    if (input.message == WM_COMMAND && frame) {
      if (!::IsWindow(frame)) return;
      ::SendMessage(frame, WM_COMMAND, MAKEWPARAM(LOWORD(input.wParam), 1), 0);
    } else {
      if (!::IsWindow(input.hwnd)) return;
      ::SendMessage(input.hwnd, input.message, input.wParam, input.lParam);
    }
  }
}

void X3DView::FinishPress() {
  mouseDown = FALSE;
  KillTimer(kPressTimer);
  mouseDownDC = nullptr;
  mouseDownHeld = nullptr;
  if (CWnd::GetCapture() == this) ReleaseCapture();
}

void X3DView::Clicks(int clicks) {
  const Ptr<GroupSO> held = mouseDownHeld;
  const PickRecord pick = mouseDownPick;
  FinishPress();
  OnClicks(mouseDownFlags, mouseDownPoint, clicks, pick);
  RunHeldInput();
}

void X3DView::EndPress(bool released) {
  const Ptr<GroupSO> held = mouseDownHeld;
  const PickRecord pick = mouseDownPick;
  const bool click = released && !mouseDownDragged;
  FinishPress();
  if (click) OnClicks(mouseDownFlags, mouseDownPoint, 1, pick);
  // A press that lost the mouse to another window ends quietly, and what waited for it with it.
  if (released)
    RunHeldInput();
  else
    heldInput.clear();
}

void X3DView::OnClicks(UINT flags, const XDPoint&, int clicks, const PickRecord& pick) {
  if (ApplyClicks(*GetDocument(), flags, clicks, pick.picked ? pick.group : nullptr))
    PostMessage(WM_COMMAND, kEditObjectCommand, 0);
}

void X3DView::OnLButtonUp(UINT, CPoint point) {
  if (mousePress) mousePress->Release(point);
  Default();
}

void X3DView::OnLButtonDblClk(UINT, CPoint) {
  if (mousePress) mousePress->DoubleClick();
}

void X3DView::OnMouseMove(UINT, CPoint point) {
  if (mousePress && mousePress->IsDown())
    mousePress->Move(point);
  else
    Default();
}

void X3DView::OnCaptureChanged(CWnd*) {
  if (mousePress) mousePress->CaptureLost();
}

void X3DView::OnKillFocus(CWnd*) {
  if (mousePress) mousePress->CaptureLost();
  Default();
}

// Held keys pick the mode: the prompt follows them at once.
void X3DView::OnKeyDown(UINT, UINT, UINT) {
  UpdateStatusPrompt(-1);
  Default();
}

void X3DView::OnKeyUp(UINT, UINT, UINT) {
  UpdateStatusPrompt(-1);
  Default();
}

void X3DView::DragMove(POINT point) {
  if (!mouseDown || (point.x == mouseLastPoint.x && point.y == mouseLastPoint.y)) return;
  const int mode = GetInteractiveMode();
  if (!DragModeAccepted(mode, Conditions(mouseDownPick))) return;
  // An object mode moves the selection. A press in modes 2 and 13 selects nothing, so a drag that
  // a key turns from them into another object mode with nothing selected has nothing to move.
  if (!IsCameraMode(mode) && GetDocument()->GetSelectedCount() == 0) return;
  mouseDownDragged = TRUE;
  const int previous = mouseDownInteractiveMode;
  mouseDownInteractiveMode = mode;
  SwitchInteractiveModification(*GetDocument(), static_cast<CScrollView*>(this), mode, previous,
                                mouseDownPick.picked ? mouseDownPick.group : nullptr);
  RunDrag(mode, point);
  mouseLastPoint = XPoint(point.x, point.y);
  GetDocument()->OnSceneExtentChanged(FALSE);
  RenderAfterMove();
}

namespace {

// The first mouse message waiting for the program, if any.
UINT WaitingMouseMessage() {
  MSG msg{};
  return PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE) ? msg.message : 0;
}

void RenderNow(X3DView& view, CDC* dc) {
  if (CFrameWnd* frame = view.GetParentFrame()) {
    frame->InvalidateRect(nullptr, FALSE);
    frame->ValidateRect(nullptr);
  }
  view.needsRender = TRUE;
  view.RenderImage(dc, TRUE, nullptr, nullptr);
}

}  // namespace

void X3DView::RenderAfterMove() {
  RenderNow(*this, mouseDownDC);
  XDocument* doc = GetDocument();
  POSITION pos = doc->GetFirstViewPosition();
  UINT waiting = 0;
  while (pos) {
    waiting = WaitingMouseMessage();
    if (waiting == WM_MOUSEMOVE || waiting == WM_LBUTTONUP) break;
    auto* other = dynamic_cast<X3DView*>(doc->GetNextView(pos));
    if (!other || other == this) continue;
    if (other->IsInSight()) {
      Ptr<CountedClientDC> dc(new CountedClientDC(other));
      RenderNow(*other, dc);
    } else {
      other->OnUpdate(this, 0, nullptr);
    }
  }
  // A release ends the drag: the windows not reached are drawn when they next paint.
  if (waiting != WM_LBUTTONUP) return;
  while (pos)
    if (auto* other = dynamic_cast<X3DView*>(doc->GetNextView(pos)); other && other != this)
      other->OnUpdate(this, 0, nullptr);
}
