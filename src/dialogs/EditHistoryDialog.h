// The Edit History dialog: the records of a scene's edit history with their descriptions and
// comments, in pages of kHistoryRangeSize records, with the line "**** Current Scene ****" where
// the scene stands. The user edits each record's comment and undoes or redoes the scene to a
// chosen record in one step, once the dialog has ended.
#pragma once

#include "dialogs/XDialog.h"
#include "document/HistoryList.h"
#include "platform/framework/Controls.h"

class XUndoDoc;

constexpr UINT kEditHistoryTemplate = 10005;

// The dialog's list box as the history's list operations use it.
class HistoryListControl final : public HistoryListBox {
 public:
  explicit HistoryListControl(CListBox& list) : list_(list) {}
  void ResetContent() override { list_.ResetContent(); }
  int AddString(const char* text) override { return list_.AddString(text); }
  int InsertString(int index, const char* text) override { return list_.InsertString(index, text); }
  int DeleteString(int index) override { return list_.DeleteString(static_cast<UINT>(index)); }
  int GetCurSel() const override { return list_.GetCurSel(); }
  int SetCurSel(int index) override { return list_.SetCurSel(index); }
  void SetTopIndex(int index) override { list_.SetTopIndex(index); }
  void SetTabStop(int dialogUnits) override { list_.SetTabStops(dialogUnits); }
  void SetHorizontalExtent(int pixels) override { list_.SetHorizontalExtent(pixels); }

 private:
  CListBox& list_;
};

class EditHistoryDialog : public XDialog {
 public:
  EditHistoryDialog(XUndoDoc* doc, CWnd* parent = nullptr);

  // Runs the dialog over `doc`; "Undo To" / "Redo To" then moves the scene to the chosen record.
  static void Run(XUndoDoc& doc, CWnd* parent);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnSelchangeList();
  void OnPrevRange();
  void OnNextRange();
  void OnPreferences();

  CListBox m_list;
  CString m_comment;
  XUndoDoc* m_doc;
  HistoryRange m_range;
  int m_sel = -1;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  // Shows page `page` (or the current record's for -1) and sets the range buttons.
  void ShowPage(int page);
  void EnableCommentControls(BOOL enable);

  HistoryListControl listControl_{m_list};
  BOOL preferencesChosen_ = FALSE;
};
