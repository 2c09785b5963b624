#include "platform/framework/Dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <algorithm>

#include "platform/framework/Controls.h"
#include "platform/framework/DialogWidgets.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/PictureBeforeShown.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

// The dialog's window: Esc cancels and Enter presses the default button. Inside a property
// sheet the keys go on to the sheet.
class DialogWindow final : public QDialog {
 public:
  DialogWindow(CDialog* owner, QWidget* parent, bool child) : QDialog(parent), owner_(owner), child_(child) {
    if (child) setWindowFlags(Qt::Widget);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (child_ || (event->key() != Qt::Key_Escape && !enter) || event->modifiers() & ~Qt::KeypadModifier) {
      event->ignore();
      return;
    }
    if (enter)
      owner_->PressDefault();
    else if (owner_->m_hWnd)
      owner_->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  }
  // Cancelling goes through the owner's IDCANCEL command, never straight to Qt.
  void reject() override {}

 private:
  CDialog* owner_;
  bool child_;
};

namespace {

// A plain wrapper of the class that suits the control's widget.
std::unique_ptr<CWnd> PlainWrapper(QWidget* w) {
  if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w)) return std::make_unique<CButton>();
  if (qobject_cast<QLineEdit*>(w)) return std::make_unique<CEdit>();
  if (qobject_cast<QComboBox*>(w)) return std::make_unique<CComboBox>();
  if (qobject_cast<QListWidget*>(w)) return std::make_unique<CListBox>();
  if (qobject_cast<QSlider*>(w)) return std::make_unique<CSliderCtrl>();
  return std::make_unique<CStatic>();
}

// DS_CENTER: the whole window, frame included, in the middle of the work area of its owner's
// screen. Before the window is shown its frame is not known; a captioned one is taken to have
// the owner's.
void CentreOnWorkArea(QWidget* window) {
  const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QSize size = window->size();
  if (owner && !(window->windowFlags() & Qt::FramelessWindowHint)) size += owner->frameGeometry().size() - owner->size();
  const QRect area = screen->availableGeometry();
  window->move(area.left() + std::max(0, (area.width() - size.width()) / 2),
               area.top() + std::max(0, (area.height() - size.height()) / 2));
}

bool IsTabStop(const QWidget* w) { return w->focusPolicy() != Qt::NoFocus && w->isEnabled() && w->isVisibleTo(w->parentWidget()); }

void Focus(QWidget* w) {
  w->setFocus(Qt::TabFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) SelectAllFromStart(edit);
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() {
  if (GetWidget()) DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(QWidget* container) {
  const DialogTemplate* t = FindDialogTemplate(templateId_);
  if (!t || GetWidget()) return FALSE;
  QWidget* owner = container;
  if (!owner) {
    CWnd* parent = parent_ ? parent_ : AfxGetMainWnd();
    owner = parent && parent->GetWidget() ? parent->GetWidget()->window() : nullptr;
  }
  auto* window = new DialogWindow(this, owner, container != nullptr);
  BuildDialogWidget(*t, window, [this](const ControlNotification& n) { Notify(n.control, n.id, n.message, n.code); });
  // A window without a caption has no frame either (a splash, a picture).
  if (!container && !(t->style & WS_CAPTION)) window->setWindowFlag(Qt::FramelessWindowHint);
  if (!container && (t->style & DS_CENTER)) CentreOnWorkArea(window);
  window_ = window;
  SubclassWidget(window, 0);
  if (!AnnounceWindowCreation(this, t->style | (container ? WS_CHILD : 0), t->exStyle)) return FALSE;
  defId_ = IDOK;
  for (std::size_t i = 0; i < t->controlCount; ++i)
    if (t->controls[i].kind == ControlClass::Button && (t->controls[i].style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      defId_ = static_cast<UINT>(t->controls[i].id);
  for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    std::unique_ptr<CWnd> wrapper = PlainWrapper(control);
    if (wrapper->SubclassWidget(control, static_cast<UINT>(ControlIdOf(control)))) plainWrappers_.push_back(std::move(wrapper));
  }
  return TRUE;
}

int CDialog::DoModal() {
  if (!CreateFromTemplate(nullptr)) return -1;
  modal_ = true;
  ended_ = false;
  result_ = IDCANCEL;
  window_->setWindowModality(Qt::ApplicationModal);
  if (OnInitDialog()) FocusFirstTabStop();
  if (window_ && !ended_) window_->exec();
  modal_ = false;
  if (GetWidget()) DestroyWindow();
  return result_;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  templateId_ = templateId;
  parent_ = parent;
  if (!CreateFromTemplate(nullptr)) return FALSE;
  if (OnInitDialog()) FocusFirstTabStop();
  const DialogTemplate* t = FindDialogTemplate(templateId_);
  if (window_ && (t->style & WS_VISIBLE)) {
    // What the program does next may keep the event loop from painting it for a while.
    PaintBeforeShown(window_);
    window_->show();
  }
  return TRUE;
}

void CDialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  if (!window_) return;
  if (modal_)
    window_->done(result);
  else
    window_->hide();
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  const bool wasLocked = lockout_;
  lockout_ = true;
  const bool quiet = saveAndValidate && typingIn_;
  CDataExchange dx(this, saveAndValidate, quiet);
  BOOL ok = TRUE;
  try {
    DoDataExchange(&dx);
  } catch (const CUserException&) {
    ok = FALSE;
  }
  lockout_ = wasLocked;
  if (saveAndValidate) unchecked_ = ok ? nullptr : quiet ? typingIn_ : unchecked_;
  return ok;
}

void CDialog::CheckLeftEdit(QWidget* edit, QWidget* next) {
  // Leaving for a push button leaves the check to its command: OK checks, Cancel must not.
  if (edit != unchecked_ || !window_ || !next || !window_->isAncestorOf(next) || qobject_cast<QPushButton*>(next))
    return;
  QMetaObject::invokeMethod(window_, [this, edit] {
    if (m_hWnd && unchecked_ == edit) UpdateData(TRUE);
  }, Qt::QueuedConnection);
}

void CDialog::FocusFirstTabStop() {
  if (!window_) return;
  for (QWidget* control : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (IsTabStop(control)) {
      Focus(control);
      return;
    }
}

void CDialog::NextDlgCtrl() { SendMessage(WM_NEXTDLGCTL, 0, 0); }

void CDialog::PrevDlgCtrl() { SendMessage(WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (control) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

void CDialog::MapDialogRect(LPRECT rect) const {
  if (!window_) return;
  *rect = ::MapDialogRect(static_cast<short>(rect->left), static_cast<short>(rect->top),
                          static_cast<short>(rect->right - rect->left), static_cast<short>(rect->bottom - rect->top),
                          MeasureBaseUnits(window_->font()));
}

void CDialog::BindControl(CWnd& control, int id) {
  QWidget* widget = FindDialogControl(this, id);
  if (!widget || control.GetWidget()) return;
  if (CWnd* plain = CWnd::FromWidget(widget)) {
    for (auto it = plainWrappers_.begin(); it != plainWrappers_.end(); ++it)
      if (it->get() == plain) {
        plain->UnsubclassWidget();
        plainWrappers_.erase(it);
        break;
      }
  }
  control.SubclassWidget(widget, static_cast<UINT>(id));
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  dx->PrepareCtrl(id);
  if (control.GetWidget()) return;
  if (auto* dialog = dynamic_cast<CDialog*>(dx->m_pDlgWnd)) dialog->BindControl(control, id);
}

void CDialog::Notify(QWidget* control, int id, UINT message, UINT code) {
  if (!m_hWnd) return;
  CWnd* wrapper = CWnd::FromWidget(control);
  const LPARAM from = reinterpret_cast<LPARAM>(wrapper ? wrapper->m_hWnd : nullptr);
  if (message == WM_COMMAND) {
    if (lockout_) return;
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (edit && code == EN_KILLFOCUS) CheckLeftEdit(edit, QApplication::focusWidget());
    // Only the user's own typing marks an edit modified; a text set by the program clears it.
    QWidget* const typingBefore = typingIn_;
    if (edit && code == EN_CHANGE && edit->isModified()) typingIn_ = edit;
    SendMessage(WM_COMMAND, MAKEWPARAM(id, static_cast<int>(code)), from);
    typingIn_ = typingBefore;
    return;
  }
  const auto* slider = qobject_cast<QSlider*>(control);
  SendMessage(message, MAKEWPARAM(static_cast<int>(code), slider ? slider->value() : 0), from);
}

void CDialog::PressDefault() {
  if (!m_hWnd || !window_) return;
  QWidget* focus = window_->focusWidget();
  if (auto* push = qobject_cast<QPushButton*>(focus); push && push->isEnabled()) {
    push->click();
    return;
  }
  QWidget* button = FindDialogControl(this, static_cast<int>(defId_));
  // A disabled default button leaves Enter to the dialog's OK command.
  if (auto* push = qobject_cast<QAbstractButton*>(button); push && push->isEnabled()) {
    push->click();
    return;
  }
  if (button) {
    SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    return;
  }
  SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(defId_), 0), 0);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
      return 0;
    case DM_GETDEFID:
      return static_cast<LRESULT>(MAKELPARAM(static_cast<int>(defId_), DC_HASDEFID));
    case DM_SETDEFID: {
      if (auto* old = qobject_cast<QPushButton*>(FindDialogControl(this, static_cast<int>(defId_)))) old->setDefault(false);
      defId_ = static_cast<UINT>(wParam);
      if (auto* now = qobject_cast<QPushButton*>(FindDialogControl(this, static_cast<int>(defId_)))) now->setDefault(true);
      return TRUE;
    }
    case WM_NEXTDLGCTL: {
      if (!window_) return 0;
      if (lParam) {
        if (CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(wParam)); control && control->GetWidget())
          Focus(control->GetWidget());
        return 0;
      }
      const QList<QWidget*> controls = window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
      const qsizetype n = controls.size();
      const qsizetype at = controls.indexOf(window_->focusWidget());
      const qsizetype step = wParam ? n - 1 : 1;
      for (qsizetype k = 1; k <= n; ++k) {
        QWidget* candidate = controls[((at < 0 ? 0 : at) + k * step) % n];
        if (IsTabStop(candidate)) {
          Focus(candidate);
          break;
        }
      }
      return 0;
    }
    default:
      return CWnd::DefWindowProc(message, wParam, lParam);
  }
}

BOOL AnnounceWindowCreation(CWnd* wnd, DWORD style, DWORD exStyle) {
  const QWidget* window = wnd->GetWidget();
  const QByteArray caption = window->windowTitle().toUtf8();
  CREATESTRUCT cs{nullptr, nullptr, nullptr, nullptr, window->height(), window->width(), window->y(), window->x(),
                  static_cast<LONG>(style), caption.constData(), nullptr, exStyle};
  if (wnd->SendMessage(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) &&
      wnd->SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) != -1)
    return TRUE;
  wnd->DestroyWindow();
  return FALSE;
}

void CDialog::PostNcDestroy() {
  window_ = nullptr;
  plainWrappers_.clear();
}

BOOL CDialog::PreTranslateMessage(MSG* msg) { return TranslateContextHelpKey(*msg); }
