// Property sheets: pages in tabs under one caption, with OK and Cancel (no Apply button: the
// program's sheets all turn it off with PSH_NOAPPLYNOW). A page's window and
// controls are made the first time the page is shown; each showing loads its controls from its
// members, and leaving it takes them back (a refused value keeps the page up). OK takes the
// active page's values and then applies, in tab order, every page that has a window; Cancel
// applies nothing. Pages outlive their windows, so their members stay readable after DoModal.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"

class QTabBar;

constexpr DWORD PSH_NOAPPLYNOW = 0x00000080;

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
  friend class CPropertySheet;

 public:
  // The tab shows the template's caption unless `captionId` names another string.
  explicit CPropertyPage(UINT templateId, UINT captionId = 0);

  // The page is being shown: loads the controls, except the first time, when OnInitDialog has
  // just done so. FALSE keeps the page from showing.
  virtual BOOL OnSetActive();
  // The page is being left: takes the controls' values; FALSE keeps the page.
  virtual BOOL OnKillActive();
  // OK was pressed and the page has a window: runs OnOK; the sheet closes whatever it returns.
  virtual BOOL OnApply();
  void OnOK() override {}
  void OnCancel() override {}

  CString GetCaption() const;

 private:
  UINT captionId_;
  bool firstActivation_ = true;
};

struct PROPSHEETHEADER {
  DWORD dwFlags = 0;
  UINT nStartPage = 0;
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
  friend class SheetWindow;

 public:
  // The caption is the string `captionId`; the sheet belongs to `parent`, else to the main window.
  explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
  ~CPropertySheet() override;

  void AddPage(CPropertyPage* page);  // tab order is the order of adding
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const;
  CPropertyPage* GetActivePage() const { return GetPage(active_); }
  int GetActiveIndex() const { return active_; }
  // Shows page `index`, leaving the active one first; FALSE when that page refuses to be left.
  BOOL SetActivePage(int index);

  // IDOK or IDCANCEL; -1 when no page could be shown. The windows are gone afterwards.
  virtual int DoModal();
  virtual BOOL OnInitDialog() { return TRUE; }
  void EndDialog(int result);
  // Shift+F1 begins context help (MessageLoop.h).
  BOOL PreTranslateMessage(MSG* msg) override;

  PROPSHEETHEADER m_psh;

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool ShowPage(int index);
  void PressOK();

  UINT captionId_;
  CWnd* parent_;
  std::vector<CPropertyPage*> pages_;
  int active_ = -1;
  int result_ = IDCANCEL;
  QDialog* window_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QWidget* pageArea_ = nullptr;
  std::vector<std::unique_ptr<CButton>> buttons_;
};
