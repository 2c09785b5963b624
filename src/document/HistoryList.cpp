#include "document/HistoryList.h"

#include "core/NoMemoryHandler.h"

namespace {

constexpr UINT kCurrentSceneLine = 265;
constexpr int kDescriptionShown = 38;
constexpr int kCommentShown = 115;
constexpr int kTabStop = 152;
constexpr int kHorizontalExtent = 5000;
constexpr int kLinesAboveCurrent = 10;

// Where the current-scene line stands on page p, or -1 when that page has none.
int CurrentSceneLine(int modIndex, int page) {
  const int first = page * kHistoryRangeSize;
  return modIndex >= first - 1 && modIndex < first + kHistoryRangeSize ? modIndex + 1 - first : -1;
}

XString LineText(const ModRec& rec) {
  return rec.GetDescription().Left(kDescriptionShown) + "\t" + rec.GetComment().Left(kCommentShown);
}

bool Refused(int result) { return result == HistoryListBox::kError || result == HistoryListBox::kErrorSpace; }

void AddLine(HistoryListBox& list, const char* text) {
  while (Refused(list.AddString(text))) NoMemoryHandler(1);
}

void CheckSelection(int sel) {
  XASSERT_TEXT(sel != HistoryListBox::kError && sel != HistoryListBox::kErrorSpace && sel >= 0,
               "sel != LB_ERR && sel != LB_ERRSPACE && sel >= 0", "Specified selection invalid");
  XASSERT_TEXT(sel <= kHistoryRangeSize, "sel <= RANGE_SIZE", "Selection index >= # of items we expect in interface element");
}

}  // namespace

HistoryItem MapHistoryItem(const EditHistory& history, const HistoryRange& range, int item) {
  const int line = CurrentSceneLine(history.GetModIndex(), range.current);
  if (item == line) return {true, -1};
  return {false, range.current * kHistoryRangeSize + item - (line >= 0 && item > line ? 1 : 0)};
}

HistoryRange FillHistoryList(const EditHistory& history, HistoryListBox& list, int page) {
  const int count = history.GetCount();
  const int modIndex = history.GetModIndex();
  XASSERT_TEXT(count > 0 && modIndex < count, "!records.IsEmpty() && modIndex < records.GetCount()", "");
  HistoryRange range{page, (count - 1) / kHistoryRangeSize};
  if (page < 0) range.current = modIndex < 0 ? 0 : modIndex / kHistoryRangeSize;
  XASSERT_TEXT(range.current <= range.last, "range.current <= range.last", "Caller specified range that doesn't exist");

  list.ResetContent();
  const XString currentScene(kCurrentSceneLine);
  const int first = range.current * kHistoryRangeSize;
  const int end = count < first + kHistoryRangeSize ? count : first + kHistoryRangeSize;
  const int line = CurrentSceneLine(modIndex, range.current);
  for (int i = first; i < end; ++i) {
    if (line == i - first) AddLine(list, currentScene);
    AddLine(list, LineText(*history.GetRecord(i)));
  }
  if (line == end - first) AddLine(list, currentScene);
  list.SetTabStop(kTabStop);
  list.SetHorizontalExtent(kHorizontalExtent);

  const int onPage = modIndex - first;
  list.SetTopIndex(onPage >= kLinesAboveCurrent && onPage < kHistoryRangeSize ? onPage - kLinesAboveCurrent : 0);
  if (page < 0) list.SetCurSel(line);
  return range;
}

BOOL GetHistoryComment(const EditHistory& history, const HistoryListBox& list, CString& comment,
                       const HistoryRange& range, BOOL& isUndo) {
  const int sel = list.GetCurSel();
  if (sel < 0) return FALSE;
  CheckSelection(sel);
  const HistoryItem item = MapHistoryItem(history, range, sel);
  if (item.isCurrentScene) return FALSE;
  XASSERT_TEXT(item.record < history.GetCount(), "i < records.GetCount()",
               "Selected item index is out of range of the modification records");
  comment = history.GetRecord(item.record)->GetComment();
  isUndo = item.record <= history.GetModIndex();
  return TRUE;
}

void SetHistoryComment(EditHistory& history, HistoryListBox& list, const CString& comment,
                       const HistoryRange& range, int sel) {
  CheckSelection(sel);
  const HistoryItem item = MapHistoryItem(history, range, sel);
  XASSERT_TEXT(!item.isCurrentScene, "modIndex != i-1", "Cannot set comment for current document item");
  XASSERT_TEXT(item.record < history.GetCount(), "i < records.GetCount()",
               "Selected item index is out of range of the modification records");
  const Ptr<ModRec>& rec = history.GetRecord(item.record);
  if (rec->GetComment() == comment) return;
  rec->SetComment(comment);
  const int curSel = list.GetCurSel();
  XASSERT_TEXT(list.DeleteString(sel) != HistoryListBox::kError, "control.DeleteString( sel ) != LB_ERR",
               "Specified selection not valid in interface element");
  while (Refused(list.InsertString(sel, LineText(*rec)))) NoMemoryHandler(1);
  if (curSel >= 0)
    XASSERT_TEXT(list.SetCurSel(curSel) != HistoryListBox::kError, "control.SetCurSel( curSel ) != LB_ERR",
                 "Selection could not be restored");
}
