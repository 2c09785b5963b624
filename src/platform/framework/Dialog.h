// Dialogs built from templates, modal or modeless. A dialog's controls report to it as the
// system's controls do (WM_COMMAND notifications, WM_HSCROLL / WM_VSCROLL from track bars); every
// control has a window from the start, a plain wrapper until data exchange binds a member to it.
// Enter presses the focused push button, else the default one; Esc and the close box cancel.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/DataExchange.h"
#include "platform/framework/DialogTemplate.h"
#include "platform/framework/Wnd.h"
#include "platform/win/MessageBox.h"  // IDOK, IDCANCEL

class QDialog;

constexpr UINT WM_NEXTDLGCTL = 0x0028;
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
  friend class DialogWindow;
  friend class CPropertySheet;

 public:
  explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
  ~CDialog() override;

  // Shows the dialog and returns when it ends: the result given to EndDialog (IDOK, IDCANCEL),
  // or -1 when the window could not be made. The window is gone afterwards; the members stay.
  virtual int DoModal();
  // A modeless dialog; it shows at once when its template has WS_VISIBLE.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  using CWnd::Create;
  // Ends a modal dialog with `result`; a modeless one is hidden.
  void EndDialog(int result);

  // Loads the controls (UpdateData(FALSE)); TRUE lets the first tab stop take the focus.
  virtual BOOL OnInitDialog();
  // Takes the controls' values (UpdateData(TRUE)) and ends with IDOK when they were accepted.
  virtual void OnOK();
  virtual void OnCancel();  // ends with IDCANCEL, exchanging nothing

  // Exchanges data with the controls; FALSE when a value was refused (the user has been told).
  // While it runs, the controls' WM_COMMAND notifications are ignored. Run from the change
  // notification of an edit the user is typing in, it refuses quietly: a half-typed "0." is no
  // error yet. An edit refused so is checked, with the message, when the user moves on to another
  // control of the dialog, or by the exchange of OK.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // Shift+F1 begins context help (MessageLoop.h).
  BOOL PreTranslateMessage(MSG* msg) override;

  void NextDlgCtrl();
  void PrevDlgCtrl();
  // Focuses a control; an edit's text is selected.
  void GotoDlgCtrl(CWnd* control);
  void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
  DWORD GetDefID() { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
  // A rectangle of dialog units in pixels of this dialog's font.
  void MapDialogRect(LPRECT rect) const;

  // Data exchange binding `control` to the control `id`: replaces its plain wrapper.
  void BindControl(CWnd& control, int id);

 protected:
  virtual void DoDataExchange(CDataExchange*) {}
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Builds the window from the template: a top-level dialog, or a child of `container` (a page
  // inside its sheet).
  BOOL CreateFromTemplate(QWidget* container);
  void PostNcDestroy() override;
  // Gives the first tab stop the focus.
  void FocusFirstTabStop();

  UINT m_nIDHelp = 0;
  UINT templateId_;
  CWnd* parent_;
  DECLARE_MESSAGE_MAP()

 private:
  void Notify(QWidget* control, int id, UINT message, UINT code);
  void PressDefault();
  // The check of an edit refused while the user typed, once the focus has left it for `next`.
  void CheckLeftEdit(QWidget* edit, QWidget* next);

  bool modal_ = false;
  bool ended_ = false;  // EndDialog ran, perhaps before the modal loop started
  bool lockout_ = false;  // notifications ignored while data is exchanged
  QWidget* typingIn_ = nullptr;   // the edit whose typed change is being notified
  QWidget* unchecked_ = nullptr;  // the edit whose typed text was refused quietly
  int result_ = IDCANCEL;
  UINT defId_ = IDOK;
  QDialog* window_ = nullptr;
  std::vector<std::unique_ptr<CWnd>> plainWrappers_;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// Sends WM_NCCREATE and WM_CREATE to a window just made around a widget; FALSE (and the window
// destroyed again) when a handler refuses it.
BOOL AnnounceWindowCreation(CWnd* wnd, DWORD style, DWORD exStyle);
