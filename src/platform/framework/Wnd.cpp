#include "platform/framework/Wnd.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QVariant>
#include <QWidget>
#include <unordered_map>

#include "platform/framework/DC.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Help.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/PointerTarget.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WindowClasses.h"
#include "platform/framework/WndEvents.h"
#include "platform/win/QtCursors.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

// The wrapper lives in a property of its widget, so it goes with the widget.
constexpr char kWrapperProperty[] = "tavrolinWnd";

// Labels, buttons, group frames and sliders are drawn by the style over their parent's background:
// a group's frame shows through the labels and check boxes inside it. Other windows start from
// the window colour.
bool DrawnOverParent(const QWidget* widget) {
  return qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
         qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QAbstractSlider*>(widget);
}

// Handles are numbers never reused, so a stale handle finds no window.
std::unordered_map<HWND, CWnd*>& Handles() {
  static std::unordered_map<HWND, CWnd*> handles;
  return handles;
}
std::uintptr_t lastHandle = 0;

CWnd* captureWnd = nullptr;

// The wrapped children of `parent`'s widget, in creation order.
QList<CWnd*> WrappedChildren(const CWnd* parent) {
  QList<CWnd*> children;
  if (!parent || !parent->GetWidget()) return children;
  const QList<QWidget*> widgets = parent->GetWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* widget : widgets) {
    if (widget->isWindow()) continue;
    if (CWnd* wrapper = CWnd::FromWidget(widget))
      children.append(wrapper);
    else  // an unwrapped container (a frame's layout widget) stands for its children
      for (QWidget* inner : widget->findChildren<QWidget*>())
        if (CWnd* w = CWnd::FromWidget(inner); w && w->GetParent() == parent) children.append(w);
  }
  return children;
}

// The window and its wrapped descendants, parents before their children.
void CollectTree(CWnd* wnd, QList<CWnd*>& tree) {
  tree.append(wnd);
  for (QWidget* widget : wnd->GetWidget()->findChildren<QWidget*>())
    if (CWnd* w = CWnd::FromWidget(widget)) tree.append(w);
}

}  // namespace

CWnd::~CWnd() {
  EnableToolTips(FALSE);
  if (widget_) DestroyWindow();
}

void CWnd::Attach(QWidget* widget, UINT id) {
  widget_ = widget;
  widget->setProperty(kWrapperProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
  m_hWnd = reinterpret_cast<HWND>(++lastHandle);
  Handles()[m_hWnd] = this;
  id_ = id;
  bridge_ = new WndEventBridge(this, widget);
  bridge_->setParent(widget);
}

void CWnd::Detach() {
  if (captureWnd == this) captureWnd = nullptr;
  if (bridge_) bridge_->Disconnect();
  if (widget_) widget_->setProperty(kWrapperProperty, QVariant());
  Handles().erase(m_hWnd);
  m_hWnd = nullptr;
  widget_ = nullptr;
  bridge_ = nullptr;
}

BOOL CWnd::SubclassWidget(QWidget* widget, UINT id) {
  if (widget_ || !widget || FromWidget(widget)) return FALSE;
  Attach(widget, id);
  return TRUE;
}

QWidget* CWnd::UnsubclassWidget() {
  QWidget* widget = widget_;
  WndEventBridge* bridge = bridge_;
  Detach();
  if (bridge) bridge->deleteLater();
  return widget;
}

BOOL CWnd::Create(const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return Create(nullptr, windowName, style, rect, parent, id, nullptr);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

QWidget* CWnd::CreateWidget(QWidget* parent, const CREATESTRUCT&) { return new QWidget(parent); }

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, CCreateContext* context) {
  if (widget_) return FALSE;
  InstallInputFilter();  // key states and pre-translation from the first window on
  QWidget* parentWidget = parent ? parent->ChildContainer() : nullptr;
  if (parent && !parentWidget) return FALSE;
  CREATESTRUCT cs{context, nullptr, nullptr, parent ? parent->m_hWnd : nullptr,
                  rect.bottom - rect.top, rect.right - rect.left, rect.top, rect.left,
                  static_cast<LONG>(style), windowName, className, 0};
  if (!PreCreateWindow(cs)) return FALSE;
  Attach(CreateWidget(parentWidget, cs), parent ? id : 0);
  widget_->setWindowTitle(QString::fromUtf8(cs.lpszName ? cs.lpszName : ""));
  if (cs.cx > 0 && cs.cy > 0) widget_->setGeometry(cs.x, cs.y, cs.cx, cs.cy);
  if (static_cast<DWORD>(cs.style) & WS_DISABLED) widget_->setEnabled(false);
  if (const WindowClass* windowClass = FindWindowClass(cs.lpszClass); windowClass && windowClass->cursor)
    widget_->setCursor(CursorFromHandle(windowClass->cursor));
  // A child not created visible stays hidden when its parent shows.
  if (!(static_cast<DWORD>(cs.style) & WS_VISIBLE)) widget_->setVisible(false);
  if (!SendMessage(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) ||
      SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow();
    return FALSE;
  }
  if (widget_ && (static_cast<DWORD>(cs.style) & WS_VISIBLE)) widget_->setVisible(true);
  return widget_ != nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (!widget_) return FALSE;
  QPointer<QWidget> widget = widget_;
  QList<CWnd*> tree;
  CollectTree(this, tree);
  QList<HWND> handles;
  for (CWnd* w : tree) handles.append(w->m_hWnd);
  // WM_DESTROY goes to the window first and then to its children; a handler may destroy others.
  for (HWND h : handles)
    if (CWnd* w = FromHandle(h)) w->SendMessage(WM_DESTROY);
  const bool later = bridge_ && bridge_->Dispatching();
  for (qsizetype i = handles.size() - 1; i >= 0; --i)
    if (CWnd* w = FromHandle(handles[i])) w->Detach();
  if (widget) {
    widget->hide();
    if (later)
      widget->deleteLater();
    else
      delete widget.data();
  }
  // Children first: a frame's PostNcDestroy may delete the frame and, with it, nothing else.
  for (qsizetype i = tree.size() - 1; i >= 0; --i) tree[i]->PostNcDestroy();
  return TRUE;
}

CWnd* CWnd::FromWidget(const QWidget* widget) {
  return widget ? reinterpret_cast<CWnd*>(widget->property(kWrapperProperty).value<quintptr>()) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  auto it = Handles().find(hwnd);
  return it == Handles().end() ? nullptr : it->second;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const CurrentMessage saved = current_;
  current_ = {message, wParam, lParam};
  const HWND self = m_hWnd;
  const LRESULT result = WindowProc(message, wParam, lParam);
  if (self && FromHandle(self) == this) current_ = saved;
  return result;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!bridge_) return FALSE;
  QCoreApplication::postEvent(bridge_, new PostedMessageEvent(m_hWnd, message, wParam, lParam));
  return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (message == WM_COMMAND) return OnCommand(wParam, lParam) ? (*result = 1, TRUE) : FALSE;
  if (message == WM_NOTIFY) return OnNotify(wParam, lParam, result);
  MessageCall call{message, wParam, lParam, 0, nullptr, 0};
  // A plain message entry matches any code; commands and notifications were handled above.
  for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr)
    for (const MessageMapEntry* e = map->entries; e->message != 0; ++e)
      if (e->message == message && e->handler(this, call)) {
        *result = call.result;
        return TRUE;
      }
  return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_CLOSE: DestroyWindow(); return 0;
    // Push buttons, check boxes and radio buttons say they are buttons; a group box does not.
    case WM_GETDLGCODE: return qobject_cast<QAbstractButton*>(widget_) ? DLGC_BUTTON : 0;
    case WM_ERASEBKGND:
      if (CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
          dc && dc->GetPainter() && widget_ && !DrawnOverParent(widget_))
        dc->GetPainter()->fillRect(widget_->rect(), widget_->palette().window());
      return 1;
    default: return 0;
  }
}

LRESULT CWnd::Default() { return DefWindowProc(current_.message, current_.wParam, current_.lParam); }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(static_cast<DWORD>(wParam));
  const int code = HIWORD(static_cast<DWORD>(wParam));
  // A control's notification (lParam names the control) goes back to the control first.
  if (CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam)); control && control != this) {
    LRESULT ignored = 0;
    if (control->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
  }
  // Accelerators (code 1, no control) are commands too; a control's code 1 is its own
  // notification (a selection change).
  return OnCmdMsg(id, code == 1 && lParam == 0 ? CN_COMMAND : code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header) return FALSE;
  if (CWnd* control = FromHandle(header->hwndFrom); control && control != this)
    if (control->OnChildNotify(WM_NOTIFY, 0, lParam, result)) return TRUE;
  MessageCall call{WM_NOTIFY, 0, lParam, header->idFrom, header, 0};
  const BOOL handled = DispatchToMap(WM_NOTIFY, header->code, header->idFrom, call);
  *result = call.result;
  return handled;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const UINT reflected = WM_REFLECT_BASE + message;
  MessageCall call{reflected, wParam, lParam, 0, nullptr, 0};
  int code = 0;
  if (message == WM_COMMAND) {
    code = HIWORD(static_cast<DWORD>(wParam));
  } else if (message == WM_NOTIFY) {
    call.extra = reinterpret_cast<NMHDR*>(lParam);
    code = static_cast<NMHDR*>(call.extra)->code;
  }
  const BOOL handled = DispatchToMap(reflected, code, 0, call);
  if (handled && result) *result = call.result;
  return handled;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

int CWnd::SetDlgCtrlID(int id) {
  const int previous = static_cast<int>(id_);
  id_ = static_cast<UINT>(id);
  return previous;
}

CWnd* CWnd::GetDlgItem(int id) const {
  for (CWnd* child : WrappedChildren(this))
    if (child->GetDlgCtrlID() == id) return child;
  return nullptr;
}

DWORD CWnd::GetStyle() const {
  DWORD style = 0;
  if (widget_ && !widget_->isWindow()) style |= WS_CHILD;
  if (widget_ && !widget_->isHidden()) style |= WS_VISIBLE;
  if (widget_ && !widget_->isEnabled()) style |= WS_DISABLED;
  return style;
}

BOOL CWnd::ShowWindow(int showCommand) {
  if (!widget_) return FALSE;
  const BOOL wasVisible = !widget_->isHidden();
  switch (showCommand) {
    case SW_HIDE: widget_->hide(); break;
    case SW_SHOWMAXIMIZED: widget_->showMaximized(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE: widget_->showMinimized(); break;
    case SW_RESTORE: widget_->showNormal(); break;
    default: widget_->show(); break;
  }
  return wasVisible;
}

BOOL CWnd::IsWindowVisible() const { return widget_ && widget_->isVisible(); }

BOOL CWnd::EnableWindow(BOOL enable) {
  if (!widget_) return FALSE;
  const BOOL wasDisabled = !widget_->isEnabled();
  widget_->setEnabled(enable != FALSE);
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return widget_ && widget_->isEnabled(); }
BOOL CWnd::IsIconic() const { return widget_ && widget_->isMinimized(); }
BOOL CWnd::IsZoomed() const { return widget_ && widget_->isMaximized(); }

CWnd* CWnd::GetParent() const {
  if (!widget_ || widget_->isWindow()) return nullptr;
  for (QWidget* w = widget_->parentWidget(); w; w = w->parentWidget()) {
    if (CWnd* wrapper = FromWidget(w)) return wrapper;
    if (w->isWindow()) break;
  }
  return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const {
  for (CWnd* w = GetParent(); w; w = w->GetParent())
    if (w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  CFrameWnd* frame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : nullptr;
  for (CFrameWnd* up = GetParentFrame(); up; up = up->GetParentFrame()) frame = up;
  return frame;
}

CWnd* CWnd::GetWindow(UINT relation) const {
  if (relation == GW_CHILD) {
    QList<CWnd*> children = WrappedChildren(this);
    return children.isEmpty() ? nullptr : children.first();
  }
  QList<CWnd*> siblings = WrappedChildren(GetParent());
  const qsizetype self = siblings.indexOf(const_cast<CWnd*>(this));
  if (self < 0) return nullptr;
  switch (relation) {
    case GW_HWNDFIRST: return siblings.first();
    case GW_HWNDLAST: return siblings.last();
    case GW_HWNDNEXT: return self + 1 < siblings.size() ? siblings[self + 1] : nullptr;
    case GW_HWNDPREV: return self > 0 ? siblings[self - 1] : nullptr;
    default: return nullptr;
  }
}

void CWnd::SetWindowText(const char* text) {
  if (widget_) widget_->setWindowTitle(QString::fromUtf8(text ? text : ""));
}

void CWnd::GetWindowText(CString& text) const {
  text = widget_ ? widget_->windowTitle().toUtf8().constData() : "";
}

int CWnd::GetWindowTextLength() const {
  return widget_ ? static_cast<int>(widget_->windowTitle().toUtf8().size()) : 0;
}

void CWnd::GetWindowRect(LPRECT rect) const {
  *rect = {};
  if (!widget_) return;
  const QPoint topLeft = widget_->mapToGlobal(QPoint(0, 0));
  *rect = {topLeft.x(), topLeft.y(), topLeft.x() + widget_->width(), topLeft.y() + widget_->height()};
}

void CWnd::GetClientRect(LPRECT rect) const {
  *rect = {0, 0, widget_ ? widget_->width() : 0, widget_ ? widget_->height() : 0};
}

void CWnd::ClientToScreen(LPPOINT point) const {
  if (!widget_) return;
  const QPoint screen = widget_->mapToGlobal(QPoint(point->x, point->y));
  *point = {screen.x(), screen.y()};
}

void CWnd::ClientToScreen(LPRECT rect) const {
  ClientToScreen(reinterpret_cast<LPPOINT>(&rect->left));
  ClientToScreen(reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::ScreenToClient(LPPOINT point) const {
  if (!widget_) return;
  const QPoint client = widget_->mapFromGlobal(QPoint(point->x, point->y));
  *point = {client.x(), client.y()};
}

void CWnd::ScreenToClient(LPRECT rect) const {
  ScreenToClient(reinterpret_cast<LPPOINT>(&rect->left));
  ScreenToClient(reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL) {
  if (widget_) widget_->setGeometry(x, y, width, height);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CWnd::Invalidate(BOOL erase) {
  if (!widget_) return;
  if (!erase && bridge_) bridge_->SkipNextErase();
  widget_->update();
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
  if (!widget_) return;
  if (!rect) return Invalidate(erase);
  if (!erase && bridge_) bridge_->SkipNextErase();
  widget_->update(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
}

void CWnd::ValidateRect(LPCRECT) {
  // Qt keeps no invalid region the program can take back; a pending repaint simply happens.
}

void CWnd::UpdateWindow() {
  if (widget_ && widget_->isVisible()) widget_->repaint();
}

CWnd* CWnd::SetFocus() {
  CWnd* previous = GetFocus();
  if (widget_) widget_->setFocus(Qt::OtherFocusReason);
  return previous;
}

CWnd* CWnd::GetFocus() {
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
    if (CWnd* wrapper = FromWidget(w)) return wrapper;
  return nullptr;
}

CWnd* CWnd::SetCapture() {
  CWnd* previous = captureWnd;
  if (!widget_) return previous;
  widget_->grabMouse();
  captureWnd = this;
  if (previous && previous != this) {
    if (previous->widget_) previous->widget_->releaseMouse();
    previous->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
  }
  return previous;
}

CWnd* CWnd::GetCapture() { return captureWnd; }

BOOL ReleaseCapture() {
  CWnd* previous = captureWnd;
  if (!previous) return TRUE;
  captureWnd = nullptr;
  if (previous->GetWidget()) previous->GetWidget()->releaseMouse();
  EndCaptureCursor();
  previous->SendMessage(WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

CWnd* CWnd::GetActiveWindow() { return FromWidget(QApplication::activeWindow()); }

CWnd* CWnd::SetActiveWindow() {
  CWnd* previous = GetActiveWindow();
  if (widget_) widget_->activateWindow();
  return previous;
}

void CWnd::BringWindowToTop() {
  if (widget_) widget_->raise();
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return bridge_ ? bridge_->StartTimer(id, elapse, proc) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR id) { return bridge_ && bridge_->StopTimer(id); }

void CWnd::DragAcceptFiles(BOOL accept) {
  if (widget_) widget_->setAcceptDrops(accept != FALSE);
}

void CWnd::WinHelp(DWORD_PTR data, UINT command) {
  if (CWinApp* app = AfxGetApp())
    app->WinHelp(data, command);
  else
    ShowHelp(command, data);
}

void CWnd::OnHelpFinder() { WinHelp(0, HELP_FINDER); }

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const {
  if (!widget_) return FALSE;
  const QRect normal = widget_->isWindow() ? widget_->normalGeometry() : widget_->geometry();
  const QRect r = normal.isValid() ? normal : widget_->geometry();
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->flags = 0;
  placement->showCmd = widget_->isMinimized()   ? SW_SHOWMINIMIZED
                       : widget_->isMaximized() ? SW_SHOWMAXIMIZED
                       : widget_->isHidden()    ? SW_HIDE
                                                : SW_SHOWNORMAL;
  placement->ptMinPosition = {-1, -1};
  placement->ptMaxPosition = {-1, -1};
  placement->rcNormalPosition = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  return TRUE;
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement) {
  if (!widget_) return FALSE;
  const RECT& r = placement->rcNormalPosition;
  if (widget_->isMaximized() || widget_->isMinimized()) widget_->showNormal();
  if (r.right > r.left && r.bottom > r.top) widget_->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
  ShowWindow(static_cast<int>(placement->showCmd));
  return TRUE;
}

// The default handlers pass their message on.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnClose() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }

BOOL IsWindow(HWND hwnd) { return CWnd::FromHandle(hwnd) != nullptr; }

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandle(hwnd);
  return wnd ? wnd->SendMessage(message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandle(hwnd);
  return wnd ? wnd->PostMessage(message, wParam, lParam) : FALSE;
}

HWND GetParent(HWND hwnd) {
  CWnd* wnd = CWnd::FromHandle(hwnd);
  CWnd* parent = wnd ? wnd->GetParent() : nullptr;
  return parent ? parent->m_hWnd : nullptr;
}

BOOL IsWindowVisible(HWND hwnd) {
  CWnd* wnd = CWnd::FromHandle(hwnd);
  return wnd && wnd->IsWindowVisible();
}

CWnd* WindowFromPoint(POINT point) {
  for (QWidget* w = WidgetUnderPoint(QPoint(point.x, point.y)); w; w = w->parentWidget()) {
    if (CWnd* wnd = CWnd::FromWidget(w)) return wnd;
    if (w->isWindow()) break;
  }
  return nullptr;
}
