// The list side of the Edit History dialog: the history shown in pages of kHistoryRangeSize
// records, oldest first, with the line "**** Current Scene ****" right after the current record
// (before the first record when none is current). When the current record ends a page, that line
// ends the page and also opens the next one, so a page holds at most kHistoryRangeSize + 1 lines.
#pragma once

#include "document/EditHistory.h"

constexpr int kHistoryRangeSize = 207;

// The page shown and the last page, both 0-based.
struct HistoryRange {
  int current = 0;
  int last = 0;
};

// The list box the lines go into (the dialog's, or a stand-in).
class HistoryListBox {
 public:
  static constexpr int kError = -1;       // no selection, or a failed call
  static constexpr int kErrorSpace = -2;  // no memory for a line

  virtual ~HistoryListBox() = default;
  virtual void ResetContent() = 0;
  virtual int AddString(const char* text) = 0;
  virtual int InsertString(int index, const char* text) = 0;
  virtual int DeleteString(int index) = 0;
  virtual int GetCurSel() const = 0;
  virtual int SetCurSel(int index) = 0;
  virtual void SetTopIndex(int index) = 0;
  virtual void SetTabStop(int dialogUnits) = 0;
  virtual void SetHorizontalExtent(int pixels) = 0;
};

// What a line of a page stands for: the current-scene line, or a record (0-based).
struct HistoryItem {
  bool isCurrentScene;
  int record;
};

// The item `item` of page `range.current`, mapped by what that page shows: on every page, and
// also past the first page, the n-th record line is the n-th record of the page.
HistoryItem MapHistoryItem(const EditHistory& history, const HistoryRange& range, int item);

// Fills the list with page `page`, or with the page of the current record for -1 (then the
// current-scene line is selected). The history must not be empty.
HistoryRange FillHistoryList(const EditHistory& history, HistoryListBox& list, int page);

// The comment of the selected record, and whether choosing it undoes (at or before the current
// record) or redoes. FALSE without a selection or on the current-scene line.
BOOL GetHistoryComment(const EditHistory& history, const HistoryListBox& list, CString& comment,
                       const HistoryRange& range, BOOL& isUndo);

// Stores a comment into the record of item `item` and redraws its line when it changed. The
// document is not marked modified.
void SetHistoryComment(EditHistory& history, HistoryListBox& list, const CString& comment,
                       const HistoryRange& range, int item);
