#include "document/XUndoDoc.h"

#include <optional>

#include "core/XMessageBox.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(XUndoDoc, CDocument)

BEGIN_MESSAGE_MAP(XUndoDoc, CDocument)
  ON_COMMAND(57643, OnEditUndo)
  ON_UPDATE_COMMAND_UI(57643, OnUpdateEditUndo)
  ON_COMMAND(57644, OnEditRedo)
  ON_UPDATE_COMMAND_UI(57644, OnUpdateEditRedo)
  ON_COMMAND(10005, OnEditHistory)
  ON_UPDATE_COMMAND_UI(10005, OnUpdateEditHistory)
END_MESSAGE_MAP()

namespace {

constexpr UINT kRevertMessage = 40046;
constexpr UINT kCloseMessage = 40047;
constexpr UINT kUndoText = 336;
constexpr UINT kUndoNamedText = 337;
constexpr UINT kRedoText = 338;
constexpr UINT kRedoNamedText = 339;

}  // namespace

XUndoDoc::~XUndoDoc() = default;

Ptr<UndoDataHolder> XUndoDoc::ApplyUndoData(const Ptr<ModRec>&) {
  SetModifiedFlag(TRUE);
  return nullptr;
}

void XUndoDoc::AddRecord(const Ptr<ModRec>& record) {
  SetModifiedFlag(TRUE);
  history.AddRecord(record);
}

BOOL XUndoDoc::Undo(BOOL update) { return ApplyStep(Step::undo, update); }
BOOL XUndoDoc::Redo(BOOL update) { return ApplyStep(Step::redo, update); }

BOOL XUndoDoc::ApplyStep(Step step, BOOL update) {
  if (step == Step::undo)
    XASSERT_TEXT(history.CanUndo(), "!records.IsEmpty() && pos", "No current undo record");
  else
    XASSERT_TEXT(history.CanRedo(), "!records.IsEmpty() && (pos ? index : -1) < records.GetCount()-1",
                 "No current redo record");
  std::optional<CWaitCursor> wait;  // a single step of Undo To shows its caller's
  if (update) wait.emplace();
  try {
    auto apply = [this](const Ptr<ModRec>& rec) { return ApplyUndoData(rec); };
    if (step == Step::undo)
      history.Undo(apply);
    else
      history.Redo(apply);
  } catch (const CException&) {
    RevertAfterFailure();
    return FALSE;
  }
  if (update) UpdateAllViews(nullptr, 0, nullptr);
  return TRUE;
}

void XUndoDoc::RevertAfterFailure() {
  // The path is copied first: closing destroys this document.
  const CString path = GetPathName();
  const bool reopen = !path.IsEmpty();
  XErrorBox(reopen ? kRevertMessage : kCloseMessage);
  DeleteContents();
  SetModifiedFlag(FALSE);
  CWinApp* app = AfxGetApp();
  OnCloseDocument();
  if (reopen && app) app->OpenDocumentFile(path);
}

void XUndoDoc::UndoRedoTo(const HistoryRange& range, int item) {
  XASSERT_TEXT(item != HistoryListBox::kError && item != HistoryListBox::kErrorSpace && item >= 0,
               "sel != LB_ERR && sel != LB_ERRSPACE && sel >= 0", "Specified selection invalid");
  XASSERT_TEXT(item <= kHistoryRangeSize, "sel <= RANGE_SIZE", "Selection index >= # of items we expect in interface element");
  const HistoryItem target = MapHistoryItem(history, range, item);
  XASSERT_TEXT(!target.isCurrentScene, "modIndex != i-1", "Cannot undo/redo to current document (nothing to do)");
  XASSERT_TEXT(target.record < history.GetCount(), "i < records.GetCount()", "Selection not in range of available mods");
  const CWaitCursor wait;
  // Redo up to and including the record, or undo it and every later applied record.
  const bool redo = history.GetModIndex() < target.record;
  const int goal = redo ? target.record : target.record - 1;
  while (history.GetModIndex() != goal) {
    const int before = history.GetModIndex();
    if (!(redo ? Redo(FALSE) : Undo(FALSE))) return;  // the document is gone
    if (history.GetModIndex() == before) break;
  }
  UpdateAllViews(nullptr, 0, nullptr);
}

void XUndoDoc::SetMaxUndo(int newMax) { history.SetMaxUndo(newMax); }

HistoryRange XUndoDoc::FillHistoryList(HistoryListBox& list, int page) const {
  return ::FillHistoryList(history, list, page);
}

BOOL XUndoDoc::GetHistoryComment(const HistoryListBox& list, CString& comment, const HistoryRange& range,
                                 BOOL& isUndo) const {
  return ::GetHistoryComment(history, list, comment, range, isUndo);
}

void XUndoDoc::SetHistoryComment(HistoryListBox& list, const CString& comment, const HistoryRange& range, int item) {
  ::SetHistoryComment(history, list, comment, range, item);
}

void XUndoDoc::DeleteContents() {
  CDocument::DeleteContents();
  history.Reset();
}

void XUndoDoc::Serialize(CArchive& ar) { history.Serialize(ar, GetUndoDataCheck()); }

void XUndoDoc::OnEditUndo() { Undo(TRUE); }
void XUndoDoc::OnEditRedo() { Redo(TRUE); }

void XUndoDoc::OnUpdateEditUndo(CCmdUI* cmdUI) {
  const bool enable = history.CanUndo();
  cmdUI->Enable(enable);
  cmdUI->SetText(enable ? XString(XString(kUndoNamedText), history.GetUndoRecord()->GetDescription())
                        : XString(kUndoText));
}

void XUndoDoc::OnUpdateEditRedo(CCmdUI* cmdUI) {
  const bool enable = history.CanRedo();
  cmdUI->Enable(enable);
  cmdUI->SetText(enable ? XString(XString(kRedoNamedText), history.GetRedoRecord()->GetDescription())
                        : XString(kRedoText));
}
