#include "dialogs/PageUndoPrefs.h"

#include <limits>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "core/XMessageBox.h"
#include "dialogs/DialogServices.h"
#include "document/XDocument.h"

namespace {

constexpr UINT IDS_TURN_OFF_UNDO = 40209;
constexpr int kActiveMaxUndo = 32801;
constexpr int kActiveSaveHistory = 32803;

}  // namespace

PageUndoPrefs::PageUndoPrefs() : XPropertyPage(kUndoPrefsTemplate) {
  if (DialogServices* services = GetDialogServices()) m_doc = services->GetActiveDocument();
  m_new_save_history = XGetPrefBool(XPref::SAVE_EDIT_HISTORY);
  long maxUndo = 0;
  XGetPrefInRange(XPref::MAXUNDOTOKEEP, &maxUndo, "maxUndo >= 0");
  m_new_max_undo = static_cast<int>(maxUndo);
  if (m_doc) {
    m_active_max_undo = m_doc->GetHistory().GetMaxUndo();
    m_active_save_history = m_doc->GetSaveEditHistory();
  }
}

BOOL PageUndoPrefs::OnInitDialog() {
  XPropertyPage::OnInitDialog();
  GetDlgItem(kActiveMaxUndo)->EnableWindow(m_doc != nullptr);
  GetDlgItem(kActiveSaveHistory)->EnableWindow(m_doc != nullptr);
  return TRUE;
}

void PageUndoPrefs::DoDataExchange(CDataExchange* dx) {
  constexpr int kMost = std::numeric_limits<int>::max();
  DDX_Text(dx, 32800, m_new_max_undo);
  DDV_MinMaxInt(dx, m_new_max_undo, 0, kMost);
  DDX_Text(dx, kActiveMaxUndo, m_active_max_undo);
  DDV_MinMaxInt(dx, m_active_max_undo, 0, kMost);
  DDX_Check(dx, 32802, m_new_save_history);
  DDX_Check(dx, kActiveSaveHistory, m_active_save_history);
}

void PageUndoPrefs::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  XWritePrefBool(XPref::SAVE_EDIT_HISTORY.section, XPref::SAVE_EDIT_HISTORY.key, m_new_save_history);
  if (m_new_max_undo != 0 || XInfoBox(IDS_TURN_OFF_UNDO, CMMButtons::YESNO, CMMDefault::BUTTON2) == CMMReturn::YES) {
    const long maxUndo = m_new_max_undo;
    XWritePref(XPref::MAXUNDOTOKEEP.section, XPref::MAXUNDOTOKEEP.key, &maxUndo);
  }
  if (m_doc) {
    m_doc->SetMaxUndo(m_active_max_undo);
    m_doc->SetSaveEditHistory(m_active_save_history);
    m_doc->SetModifiedFlag(TRUE);
  }
  InitGlobals();
}
