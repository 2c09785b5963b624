#include "dialogs/EditHistoryDialog.h"

#include "core/FatalReport.h"
#include "dialogs/PropertySheetPreferences.h"
#include "document/XUndoDoc.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/MessageMap.h"

namespace {

constexpr int kList = 32780;
constexpr int kComment = 32781;
constexpr int kCommentLabel = 1063;
constexpr int kUndoRedoTo = 32782;
constexpr int kClose = 32808;
constexpr int kPrevRange = 32784;
constexpr int kNextRange = 32785;
constexpr int kPreferences = 32786;
constexpr UINT kUndoToText = 266;
constexpr UINT kRedoToText = 267;

}  // namespace

BEGIN_MESSAGE_MAP(EditHistoryDialog, XDialog)
  ON_LBN_SELCHANGE(kList, OnSelchangeList)
  ON_LBN_DBLCLK(kList, OnOK)
  ON_BN_CLICKED(kUndoRedoTo, OnOK)
  ON_BN_CLICKED(kClose, OnCancel)
  ON_BN_CLICKED(kPrevRange, OnPrevRange)
  ON_BN_CLICKED(kNextRange, OnNextRange)
  ON_BN_CLICKED(kPreferences, OnPreferences)
END_MESSAGE_MAP()

EditHistoryDialog::EditHistoryDialog(XUndoDoc* doc, CWnd* parent) : XDialog(kEditHistoryTemplate, parent), m_doc(doc) {}

void EditHistoryDialog::Run(XUndoDoc& doc, CWnd* parent) {
  EditHistoryDialog dialog(&doc, parent);
  const int result = dialog.DoModal();
  // The scene moves only once the dialog is gone: a step that fails may close the document
  // and, with it, the view the dialog belongs to.
  if (result == IDOK) {
    doc.UndoRedoTo(dialog.m_range, dialog.m_sel);
  } else if (dialog.preferencesChosen_) {
    PropertySheetPreferences sheet(kPrefsUndoPage);
    sheet.DoModal();
  }
}

void EditHistoryDialog::DoDataExchange(CDataExchange* dx) {
  XDialog::DoDataExchange(dx);
  DDX_Control(dx, kList, m_list);
  DDX_Text(dx, kComment, m_comment);
}

BOOL EditHistoryDialog::OnInitDialog() {
  XDialog::OnInitDialog();
  ShowPage(-1);
  GetDlgItem(kComment)->EnableWindow(FALSE);
  OnSelchangeList();
  return TRUE;
}

void EditHistoryDialog::ShowPage(int page) {
  m_range = m_doc->FillHistoryList(listControl_, page);
  GetDlgItem(kNextRange)->EnableWindow(m_range.current != m_range.last);
  GetDlgItem(kPrevRange)->EnableWindow(m_range.current > 0);
}

void EditHistoryDialog::EnableCommentControls(BOOL enable) {
  GetDlgItem(kComment)->EnableWindow(enable);
  GetDlgItem(kCommentLabel)->EnableWindow(enable);
  GetDlgItem(kUndoRedoTo)->EnableWindow(enable);
}

void EditHistoryDialog::OnSelchangeList() {
  // A comment typed for the record selected before is stored before the selection moves on.
  if (GetDlgItem(kComment)->IsWindowEnabled() && UpdateDataGuarded(TRUE))
    m_doc->SetHistoryComment(listControl_, m_comment, m_range, m_sel);
  BOOL isUndo = FALSE;
  const BOOL selected = m_doc->GetHistoryComment(listControl_, m_comment, m_range, isUndo);
  if (!selected) {
    m_comment.Empty();
    m_sel = -1;
  } else {
    m_sel = m_list.GetCurSel();
    XASSERT_TEXT(m_sel != LB_ERR, "curSel != LB_ERR", "");
    const XString text(isUndo ? kUndoToText : kRedoToText);
    CWnd* button = GetDlgItem(kUndoRedoTo);
    CString shown;
    button->GetWindowText(shown);
    if (!(shown == text)) button->SetWindowText(text);
  }
  EnableCommentControls(selected);
  UpdateDataGuarded(FALSE);
}

void EditHistoryDialog::OnOK() {
  if (!GetDlgItem(kUndoRedoTo)->IsWindowEnabled()) {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  OnSelchangeList();
  if (UpdateDataGuarded(TRUE)) EndDialog(IDOK);
}

void EditHistoryDialog::OnCancel() {
  OnSelchangeList();
  EndDialog(IDCANCEL);
}

void EditHistoryDialog::OnNextRange() {
  XASSERT_TEXT(m_range.current < m_range.last, "range.current < range.last", "");
  ShowPage(m_range.current + 1);
  GotoDlgCtrl(&m_list);
  SetDefID(kUndoRedoTo);
  // A comment typed on the page left is dropped, not stored.
  GetDlgItem(kComment)->EnableWindow(FALSE);
  OnSelchangeList();
}

void EditHistoryDialog::OnPrevRange() {
  XASSERT_TEXT(m_range.current > 0, "range.current > 0", "");
  ShowPage(m_range.current - 1);
  GotoDlgCtrl(&m_list);
  SetDefID(kUndoRedoTo);
  GetDlgItem(kComment)->EnableWindow(FALSE);
  OnSelchangeList();
}

void EditHistoryDialog::OnPreferences() {
  OnCancel();
  preferencesChosen_ = TRUE;
}
