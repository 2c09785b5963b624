#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/HistoryList.h"
#include "document/HistoryTestSupport.h"
#include "support/FatalCheck.h"

namespace {

using history_test::NumberDocument;

const std::string kCurrent = "**** Current Scene ****";

class RecordingList final : public HistoryListBox {
 public:
  void ResetContent() override { lines.clear(); }
  int AddString(const char* text) override {
    lines.emplace_back(text);
    return static_cast<int>(lines.size()) - 1;
  }
  int InsertString(int index, const char* text) override {
    lines.insert(lines.begin() + index, text);
    return index;
  }
  int DeleteString(int index) override {
    if (index < 0 || index >= static_cast<int>(lines.size())) return kError;
    lines.erase(lines.begin() + index);
    return static_cast<int>(lines.size());
  }
  int GetCurSel() const override { return sel; }
  int SetCurSel(int index) override {
    sel = index;
    return index;
  }
  void SetTopIndex(int index) override { top = index; }
  void SetTabStop(int) override {}
  void SetHorizontalExtent(int) override {}

  std::vector<std::string> lines;
  int sel = kError;
  int top = -1;
};

// `count` edits whose comments name their record, with record `current` in effect.
void Numbered(NumberDocument& doc, int count, int current) {
  doc.GetHistory().SetMaxUndo(1000);
  for (int i = 0; i < count; ++i) {
    doc.Edit(i + 1);
    doc.GetHistory().GetRecord(i)->SetComment(("r" + std::to_string(i)).c_str());
  }
  for (int i = count - 1; i > current; --i) doc.Undo(FALSE);
}

std::string Line(int record) { return "Edit Lights\tr" + std::to_string(record); }

TEST(HistoryListTest, PagesPlaceTheCurrentSceneLine) {
  {  // 207 records, the last current: one page ending with the current-scene line.
    NumberDocument doc;
    Numbered(doc, 207, 206);
    RecordingList list;
    HistoryRange range = FillHistoryList(doc.GetHistory(), list, -1);
    EXPECT_EQ(range.current, 0);
    EXPECT_EQ(range.last, 0);
    ASSERT_EQ(list.lines.size(), 208u);
    EXPECT_EQ(list.lines.back(), kCurrent);
    EXPECT_EQ(list.sel, 207);
    EXPECT_EQ(list.top, 196);
  }
  {  // 208 records, the newest current: page 1 shows it and then the current-scene line.
    NumberDocument doc;
    Numbered(doc, 208, 207);
    RecordingList list;
    HistoryRange range = FillHistoryList(doc.GetHistory(), list, -1);
    EXPECT_EQ(range.current, 1);
    EXPECT_EQ(range.last, 1);
    EXPECT_EQ(list.lines, (std::vector<std::string>{Line(207), kCurrent}));
    EXPECT_EQ(list.top, 0);
  }
  {  // Every record undone: page 0 opens with the current-scene line, selected.
    NumberDocument doc;
    Numbered(doc, 3, -1);
    RecordingList list;
    FillHistoryList(doc.GetHistory(), list, -1);
    EXPECT_EQ(list.lines, (std::vector<std::string>{kCurrent, Line(0), Line(1), Line(2)}));
    EXPECT_EQ(list.sel, 0);
    CString comment;
    BOOL isUndo = TRUE;
    EXPECT_FALSE(GetHistoryComment(doc.GetHistory(), list, comment, {0, 0}, isUndo));
    list.sel = 2;
    EXPECT_TRUE(GetHistoryComment(doc.GetHistory(), list, comment, {0, 0}, isUndo));
    EXPECT_EQ(comment, "r1");
    EXPECT_FALSE(isUndo);
  }
  {  // Long texts are cut in the line only.
    NumberDocument doc;
    doc.Edit(1, kUndoAddGroups, 389, std::string(40, 'n').c_str());
    doc.GetHistory().GetRecord(0)->SetComment(std::string(120, 'c').c_str());
    RecordingList list;
    FillHistoryList(doc.GetHistory(), list, 0);
    EXPECT_EQ(list.lines[0], ("Add Object " + std::string(27, 'n') + "\t" + std::string(115, 'c')));
    EXPECT_EQ(list.sel, HistoryListBox::kError);
  }
}

// Past the first page the n-th record line of a page is the n-th record of that page, for the
// comment and for the mapping that Undo To and Redo To use.
TEST(HistoryListTest, ItemsMapToTheRecordsTheirPageShows) {
  NumberDocument doc;
  Numbered(doc, 300, 50);
  RecordingList list;
  HistoryRange range = FillHistoryList(doc.GetHistory(), list, 1);
  ASSERT_EQ(list.lines.size(), 93u);
  EXPECT_EQ(list.lines[0], Line(207));
  EXPECT_EQ(list.lines[92], Line(299));
  for (int item : {0, 92}) {
    list.sel = item;
    CString comment;
    BOOL isUndo = TRUE;
    ASSERT_TRUE(GetHistoryComment(doc.GetHistory(), list, comment, range, isUndo));
    EXPECT_EQ(comment.str(), "r" + std::to_string(207 + item));
    EXPECT_FALSE(isUndo);
    EXPECT_EQ(MapHistoryItem(doc.GetHistory(), range, item).record, 207 + item);
  }
  // On the current record's page, items after the current-scene line skip it.
  range = FillHistoryList(doc.GetHistory(), list, -1);
  EXPECT_EQ(list.lines[51], kCurrent);
  EXPECT_EQ(list.top, 40);
  EXPECT_EQ(MapHistoryItem(doc.GetHistory(), range, 50).record, 50);
  EXPECT_EQ(MapHistoryItem(doc.GetHistory(), range, 52).record, 51);
  EXPECT_TRUE(MapHistoryItem(doc.GetHistory(), range, 51).isCurrentScene);
}

TEST(HistoryListTest, CommentsChangeTheirRecordAndLine) {
  NumberDocument doc;
  Numbered(doc, 3, 1);
  RecordingList list;
  HistoryRange range = FillHistoryList(doc.GetHistory(), list, -1);
  list.sel = 3;
  SetHistoryComment(doc.GetHistory(), list, "first", range, 0);
  EXPECT_EQ(doc.GetHistory().GetRecord(0)->GetComment(), "first");
  EXPECT_EQ(list.lines, (std::vector<std::string>{"Edit Lights\tfirst", Line(1), kCurrent, Line(2)}));
  EXPECT_EQ(list.sel, 3);
  SetHistoryComment(doc.GetHistory(), list, "third", range, 3);
  EXPECT_EQ(doc.GetHistory().GetRecord(2)->GetComment(), "third");
  EXPECT_FATAL(SetHistoryComment(doc.GetHistory(), list, "x", range, 2), "modIndex != i-1",
               "Cannot set comment for current document item");
  EXPECT_FATAL(SetHistoryComment(doc.GetHistory(), list, "x", range, 4), "i < records.GetCount()",
               "Selected item index is out of range of the modification records");
  EXPECT_FATAL(SetHistoryComment(doc.GetHistory(), list, "x", range, HistoryListBox::kError),
               "sel != LB_ERR && sel != LB_ERRSPACE && sel >= 0", "Specified selection invalid");
}

}  // namespace
