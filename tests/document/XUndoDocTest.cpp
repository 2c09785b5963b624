// The edit history, the undoable document and the list side of its Edit History dialog.
#include <gtest/gtest.h>

#include "document/DocumentTestSupport.h"
#include "document/HistoryList.h"
#include "document/HistoryTestSupport.h"
#include "platform/framework/WinApp.h"
#include "platform/win/QtTestApplication.h"
#include "support/FatalCheck.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using namespace document_test;
using namespace history_test;
using Lines = std::vector<std::string>;

TEST(EditHistoryTest, AddUndoAndRedoKeepTheMaximumAndDropUndoneRecords) {
  NumberDocument doc;
  doc.Edit(1);
  doc.Edit(2);
  doc.Undo(FALSE);
  // A new edit after an undo replaces the undone record and is current.
  doc.Edit(5);
  ExpectHistory(doc, {.count = 2, .modIndex = 1, .maxUndo = 100, .value = 5});

  // One record kept: each edit replaces it, also after an undo; undo then redo leaves it current.
  doc.GetHistory().SetMaxUndo(1);
  doc.Edit(8);
  doc.Edit(9);
  ExpectHistory(doc, {.count = 1, .modIndex = 0, .maxUndo = 1, .value = 9});
  doc.Undo(FALSE);
  doc.Redo(FALSE);
  ExpectHistory(doc, {.count = 1, .modIndex = 0, .maxUndo = 1, .value = 9});
  doc.Undo(FALSE);
  doc.Edit(3);
  ExpectHistory(doc, {.count = 1, .modIndex = 0, .maxUndo = 1, .value = 3});
  EXPECT_FATAL(doc.Redo(FALSE), "!records.IsEmpty() && (pos ? index : -1) < records.GetCount()-1", "No current redo record");

  // No record kept: undo is off.
  ScriptedMessageBoxes boxes;
  boxes.Answer({IDYES});
  doc.GetHistory().SetMaxUndo(0);
  doc.Edit(4);
  ExpectHistory(doc, {.count = 0, .modIndex = -1, .maxUndo = 0, .value = 4});
  EXPECT_FATAL(doc.Undo(FALSE), "!records.IsEmpty() && pos", "No current undo record");
}

// A step back to the state last saved still marks the document modified: a change made outside the
// history (the Undo page of the Preferences) would otherwise be forgotten.
TEST(EditHistoryTest, EveryEditUndoAndRedoMarksTheDocumentModified) {
  NumberDocument doc;
  doc.Edit(1);
  doc.SetModifiedFlag(FALSE);  // saved
  doc.Undo(FALSE);
  EXPECT_TRUE(doc.IsModified());
  doc.Redo(FALSE);
  EXPECT_TRUE(doc.IsModified()) << "back at the saved record";
}

// Ten edits with `applied` in effect; undoing and redoing all afterwards shows which records stayed.
TEST(EditHistoryTest, LoweringTheMaximumDropsOldestRecordsOrAsksBeforeRedoRecords) {
  struct Case {
    const char* what;
    int applied, max;
    std::vector<int> answers;
    std::vector<UINT> questions;
    HistoryState after;
    LONG undoneAll, redoneAll;
  };
  const Case cases[] = {
      {"eight applied: the six oldest go unasked", 8, 4, {}, {}, {4, 1, 4, 8}, 6, 10},
      {"three applied, No: nothing changes", 3, 4, {IDNO}, {40048}, {10, 2, 10, 3}, 0, 10},
      {"Yes: the three applied and three newest go", 3, 4, {IDYES}, {40048}, {4, -1, 4, 3}, 3, 7},
      {"undo off with nothing to redo asks once", 10, 0, {IDYES}, {40209}, {0, -1, 0, 10}, 10, 10},
      {"with redo records, No to the second", 5, 0, {IDYES, IDNO}, {40048, 40209}, {10, 4, 10, 5}, 0, 10},
      {"a negative maximum counts as 0", 5, -5, {IDYES, IDYES}, {40048, 40209}, {0, -1, 0, 5}, 5, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedMessageBoxes boxes;
    for (int answer : c.answers) boxes.Answer({answer});
    NumberDocument doc;
    doc.GetHistory().SetMaxUndo(10);
    for (LONG v = 1; v <= 10; ++v) doc.Edit(v);
    for (int n = 10; n > c.applied; --n) doc.Undo(FALSE);
    doc.GetHistory().SetMaxUndo(c.max);
    ASSERT_EQ(boxes.boxes.size(), c.questions.size());
    for (std::size_t n = 0; n < c.questions.size(); ++n) {
      EXPECT_EQ(boxes.boxes[n].text, XString(c.questions[n]).str());
      EXPECT_EQ(boxes.boxes[n].style & (MB_TYPEMASK | MB_DEFMASK), MB_YESNO | MB_DEFBUTTON2);
    }
    ExpectHistory(doc, c.after);
    while (doc.GetHistory().CanUndo()) doc.Undo(FALSE);
    EXPECT_EQ(doc.value, c.undoneAll);
    while (doc.GetHistory().CanRedo()) doc.Redo(FALSE);
    EXPECT_EQ(doc.value, c.redoneAll);
  }
}

const std::string kCurrent = "**** Current Scene ****";

class RecordingList final : public HistoryListBox {
 public:
  void ResetContent() override { lines.clear(); }
  int AddString(const char* text) override {
    lines.emplace_back(text);
    return static_cast<int>(lines.size()) - 1;
  }
  // Comment edits, which rewrite lines, are driven through the dialog.
  int InsertString(int, const char*) override { return kError; }
  int DeleteString(int) override { return kError; }
  int GetCurSel() const override { return sel; }
  int SetCurSel(int index) override { return sel = index; }
  void SetTopIndex(int index) override { top = index; }
  void SetTabStop(int) override {}
  void SetHorizontalExtent(int) override {}

  Lines lines;
  int sel = kError;
  int top = -1;
};

// `count` edits commented with their index, record `current` in effect, the list showing its page.
struct Listed {
  Listed(int count, int current) {
    doc.GetHistory().SetMaxUndo(1000);
    for (int i = 0; i < count; ++i) {
      doc.Edit(i + 1);
      doc.GetHistory().GetRecord(i)->SetComment(("r" + std::to_string(i)).c_str());
    }
    for (int i = count - 1; i > current; --i) doc.Undo(FALSE);
    Fill(-1);
  }
  void Fill(int page) { range = FillHistoryList(doc.GetHistory(), list, page); }
  // The comment of item `item` and whether choosing it undoes; "-" for the current-scene line.
  std::string Comment(int item, BOOL& isUndo) {
    list.sel = item;
    CString comment;
    return GetHistoryComment(doc.GetHistory(), list, comment, range, isUndo) ? comment.str() : "-";
  }

  NumberDocument doc;
  RecordingList list;
  HistoryRange range;
};

std::string Line(int record) { return "Edit Lights\tr" + std::to_string(record); }

// Past the first page too, the n-th record line is the page's n-th record, for comments and Undo To.
TEST(HistoryListTest, PagesPlaceTheCurrentSceneLineAndItemsMapToThePageRecords) {
  Listed h(300, 206);  // the current record ends page 0
  RecordingView view;
  h.doc.AddView(&view);
  EXPECT_EQ(h.range.current, 0);
  EXPECT_EQ(h.range.last, 1);
  ASSERT_EQ(h.list.lines.size(), 208u);
  EXPECT_EQ(h.list.lines.back(), kCurrent);
  EXPECT_EQ(h.list.sel, 207);
  EXPECT_EQ(h.list.top, 196);
  h.Fill(1);
  EXPECT_EQ(h.list.lines[0], kCurrent) << "the current-scene line also opens the next page";

  h.doc.Undo(FALSE);
  h.Fill(1);
  ASSERT_EQ(h.list.lines.size(), 93u);
  EXPECT_EQ(h.list.lines[0], Line(207));
  EXPECT_EQ(h.list.lines[92], Line(299));
  BOOL isUndo = TRUE;
  for (int item : {0, 92}) {
    EXPECT_EQ(h.Comment(item, isUndo), "r" + std::to_string(207 + item));
    EXPECT_FALSE(isUndo);
  }
  // Redo To page 1 item 0 applies record 207 and everything before it, then updates the views once.
  h.doc.UndoRedoTo(h.range, 0);
  EXPECT_EQ(h.doc.GetHistory().GetModIndex(), 207);
  EXPECT_EQ(h.doc.value, 208);
  EXPECT_EQ(view.updates.size(), 1u);
  h.doc.UndoRedoTo({1, 1}, 93);  // the newest record, after the current-scene line
  EXPECT_EQ(h.doc.value, 300);

  // Undo To the first record: page 0 opens with the current-scene line, selected.
  h.doc.UndoRedoTo({0, 1}, 0);
  h.Fill(-1);
  EXPECT_EQ(h.list.lines[0], kCurrent);
  EXPECT_EQ(h.list.sel, 0);
  EXPECT_EQ(h.Comment(0, isUndo), "-");

  // Long texts are cut in the line only.
  h.doc.Edit(1, kUndoAddGroups, 389, std::string(40, 'n').c_str());
  h.doc.GetHistory().GetRecord(0)->SetComment(std::string(120, 'c').c_str());
  h.Fill(0);
  EXPECT_EQ(h.list.lines[0], "Add Object " + std::string(27, 'n') + "\t" + std::string(115, 'c'));
  h.doc.RemoveView(&view);
}

// The text that the update handler of command `id` gives its menu item, "(off) " first when disabled.
std::string MenuItem(CCmdTarget& target, UINT id) {
  struct Item : CCmdUI {
    void Enable(BOOL on) override {
      enabled = on;
      m_bEnableChanged = TRUE;
    }
    void SetText(const char* t) override { text = t; }
    BOOL enabled = TRUE;
    std::string text;
  } item;
  item.m_nID = id;
  item.DoUpdate(&target, TRUE);
  return (item.enabled ? "" : "(off) ") + item.text;
}

TEST(XUndoDocTest, MenuTextsViewUpdatesAndTheWaitCursorFollowTheHistory) {
  QtTestApplication qt;  // shows the wait cursor
  NumberDocument doc;
  RecordingView view;
  doc.AddView(&view);
  doc.Edit(1);
  EXPECT_EQ(MenuItem(doc, 57643), "&Undo Edit Lights\tCtrl+Z");
  EXPECT_EQ(MenuItem(doc, 57644), "(off) &Redo\tCtrl+Y");
  ASSERT_TRUE(doc.OnCmdMsg(57643, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(doc.value, 0);
  EXPECT_EQ(view.updates.size(), 1u);
  EXPECT_TRUE(doc.applyWaited);
  doc.Redo(FALSE);
  EXPECT_FALSE(doc.applyWaited);
  doc.Edit(2);
  doc.UndoRedoTo({0, 0}, 0);  // Undo To the first record
  EXPECT_TRUE(doc.applyWaited);
  EXPECT_EQ(doc.value, 0);
  EXPECT_EQ(MenuItem(doc, 57643), "(off) &Undo\tCtrl+Z");
  doc.RemoveView(&view);
}

class ReopeningApp : public CWinApp {
 public:
  CDocument* OpenDocumentFile(const char* path) override {
    reopened.emplace_back(path);
    return nullptr;
  }
  Lines reopened;
};

// A failing step reverts the scene to its file or closes it; nothing touches the closed document.
TEST(XUndoDocTest, AFailedStepRevertsOrClosesTheDocument) {
  ReopeningApp app;
  for (bool named : {true, false}) {
    ScriptedMessageBoxes boxes;
    bool deleted = false;
    auto* doc = new NumberDocument(&deleted);
    if (named) doc->SetPathName("/tmp/scenes/kept.tvr", FALSE);
    for (LONG v = 1; v <= 5; ++v) doc->Edit(v);
    doc->failNextApply = true;
    doc->UndoRedoTo({0, 0}, 1);
    EXPECT_TRUE(deleted);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, XString(UINT{named ? 40046u : 40047u}).str());
  }
  EXPECT_EQ(app.reopened, Lines{"/tmp/scenes/kept.tvr"});
}

}  // namespace
