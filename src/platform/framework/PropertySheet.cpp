#include "platform/framework/PropertySheet.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "platform/framework/DialogWidgets.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// The sheet's window: Enter presses OK (or the focused push button), Esc cancels.
class SheetWindow final : public QDialog {
 public:
  SheetWindow(CPropertySheet* owner, QWidget* parent) : QDialog(parent), owner_(owner) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->modifiers() & ~Qt::KeypadModifier) {
      event->ignore();
      return;
    }
    if (event->key() == Qt::Key_Escape) {
      owner_->EndDialog(IDCANCEL);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      if (auto* push = qobject_cast<QPushButton*>(focusWidget()); push && push->isEnabled())
        push->click();
      else
        owner_->PressOK();
    } else {
      event->ignore();
    }
  }
  void reject() override {}

 private:
  CPropertySheet* owner_;
};

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId), captionId_(captionId) {}

BOOL CPropertyPage::OnSetActive() {
  if (firstActivation_)
    firstActivation_ = false;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

CString CPropertyPage::GetCaption() const {
  CString caption;
  if (captionId_ && caption.LoadString(captionId_)) return caption;
  const DialogTemplate* t = FindDialogTemplate(templateId_);
  return CString(t ? t->caption : "");
}

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : captionId_(captionId), parent_(parent) {
  m_psh.nStartPage = selectPage;
}

CPropertySheet::~CPropertySheet() {
  if (GetWidget()) DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  pages_.push_back(page);
  if (tabs_) tabs_->addTab(QString::fromUtf8(page->GetCaption().str()));
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

int CPropertySheet::DoModal() {
  if (pages_.empty() || GetWidget()) return -1;
  CWnd* parent = parent_ ? parent_ : AfxGetMainWnd();
  auto* window = new SheetWindow(this, parent && parent->GetWidget() ? parent->GetWidget()->window() : nullptr);
  CString caption;
  caption.LoadString(captionId_);
  window->setWindowTitle(QString::fromUtf8(caption.str()));
  tabs_ = new QTabBar(window);
  pageArea_ = new QWidget(window);
  // The page area fits the largest page.
  QSize area;
  DialogBaseUnits base{6, 13};
  for (CPropertyPage* page : pages_) {
    tabs_->addTab(QString::fromUtf8(page->GetCaption().str()));
    if (const DialogTemplate* t = FindDialogTemplate(page->templateId_)) {
      base = MeasureBaseUnits(DialogFont(*t));
      area = area.expandedTo(ToQRect(::MapDialogRect(0, 0, t->cx, t->cy, base)).size());
    }
  }
  pageArea_->setFixedSize(area);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  const QSize buttonSize = ToQRect(::MapDialogRect(0, 0, 50, 14, base)).size();
  buttons_.clear();
  const auto addButton = [&](const char* text, int id, auto action) {
    auto* button = new QPushButton(QString::fromUtf8(text), window);
    // The buttons have the standard ids, as a dialog's would, so the program can find them.
    auto wrapper = std::make_unique<CButton>();
    if (wrapper->SubclassWidget(button, static_cast<UINT>(id))) buttons_.push_back(std::move(wrapper));
    button->setAutoDefault(false);
    button->setFixedSize(buttonSize);
    QObject::connect(button, &QPushButton::clicked, window, action);
    buttons->addWidget(button);
  };
  addButton("OK", IDOK, [this] { PressOK(); });
  addButton("Cancel", IDCANCEL, [this] { EndDialog(IDCANCEL); });
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(tabs_);
  layout->addWidget(pageArea_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  window_ = window;
  SubclassWidget(window, 0);
  if (!AnnounceWindowCreation(this, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0)) return -1;
  OnInitDialog();

  result_ = IDCANCEL;
  const int start = static_cast<int>(m_psh.nStartPage) < GetPageCount() ? static_cast<int>(m_psh.nStartPage) : 0;
  if (!ShowPage(start)) {
    DestroyWindow();
    return -1;
  }
  QObject::connect(tabs_, &QTabBar::currentChanged, window, [this](int index) {
    if (index == active_) return;
    const int previous = active_;
    if (!SetActivePage(index)) {
      const QSignalBlocker quiet(tabs_);
      tabs_->setCurrentIndex(previous);
    }
  });
  window->setWindowModality(Qt::ApplicationModal);
  window->exec();
  DestroyWindow();
  return result_;
}

BOOL CPropertySheet::SetActivePage(int index) {
  if (!GetPage(index)) return FALSE;
  if (!window_) {
    m_psh.nStartPage = static_cast<UINT>(index);
    return TRUE;
  }
  if (index == active_) return TRUE;
  if (CPropertyPage* current = GetActivePage(); current && !current->OnKillActive()) return FALSE;
  return ShowPage(index) ? TRUE : FALSE;
}

bool CPropertySheet::ShowPage(int index) {
  CPropertyPage* page = GetPage(index);
  if (!page->GetWidget()) {
    if (!page->CreateFromTemplate(pageArea_)) return false;
    page->firstActivation_ = true;
    page->OnInitDialog();
  }
  if (!page->OnSetActive()) return false;
  if (CPropertyPage* old = GetActivePage(); old && old != page && old->GetWidget()) old->GetWidget()->hide();
  active_ = index;
  {
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(index);
  }
  page->GetWidget()->show();
  // A page fills the page area from its corner; a dialog shown for the first time would centre
  // itself instead.
  page->GetWidget()->move(0, 0);
  page->FocusFirstTabStop();
  return true;
}

void CPropertySheet::PressOK() {
  CPropertyPage* active = GetActivePage();
  if (active && !active->OnKillActive()) return;
  for (CPropertyPage* page : pages_)
    if (page->GetWidget()) page->OnApply();
  EndDialog(IDOK);
}

void CPropertySheet::EndDialog(int result) {
  result_ = result;
  if (window_) window_->done(result);
}

LRESULT CPropertySheet::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    EndDialog(IDCANCEL);
    return 0;
  }
  if (message == WM_DESTROY) {
    // The pages' windows go with the sheet's (they are its children); the pages stay.
    window_ = nullptr;
    tabs_ = nullptr;
    pageArea_ = nullptr;
    active_ = -1;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) { return TranslateContextHelpKey(*msg); }
