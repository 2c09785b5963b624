#include <gtest/gtest.h>

#include <vector>

#include "document/HistoryTestSupport.h"
#include "support/FatalCheck.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using history_test::ExpectHistory;
using history_test::HistoryState;
using history_test::NumberDocument;

TEST(EditHistoryTest, AddUndoAndRedoKeepTheMaximumAndDropUndoneRecords) {
  NumberDocument doc;
  doc.Edit(1);
  doc.Edit(2);
  doc.Undo(FALSE);
  doc.Undo(FALSE);
  ExpectHistory(doc, {.count = 2, .modIndex = -1, .maxUndo = 100, .value = 0});
  // With nothing current, Redo applies the head record.
  doc.Redo(FALSE);
  ExpectHistory(doc, {.count = 2, .modIndex = 0, .maxUndo = 100, .value = 1});
  // A new edit after an undo replaces the undone record and is current.
  doc.Edit(5);
  ExpectHistory(doc, {.count = 2, .modIndex = 1, .maxUndo = 100, .value = 5});
  doc.Undo(FALSE);
  doc.Undo(FALSE);
  doc.Edit(7);
  ExpectHistory(doc, {.count = 1, .modIndex = 0, .maxUndo = 100, .value = 7});

  // One record kept: each edit replaces it; undo then redo leaves it current again.
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
  EXPECT_FALSE(doc.GetHistory().CanRedo());
  EXPECT_FATAL(doc.Undo(FALSE), "!records.IsEmpty() && pos", "No current undo record");
}

TEST(EditHistoryTest, TheSavedStateIsCleanWhereverItCanStillBeReached) {
  NumberDocument doc;
  doc.GetHistory().SetMaxUndo(3);
  EXPECT_TRUE(doc.GetHistory().IsAtSavedState());
  doc.Edit(1);
  doc.Edit(2);
  doc.GetHistory().MarkSaved();
  doc.Undo(FALSE);
  EXPECT_FALSE(doc.GetHistory().IsAtSavedState());
  doc.Redo(FALSE);
  EXPECT_TRUE(doc.GetHistory().IsAtSavedState());
  doc.Edit(3);
  doc.Edit(4);  // the oldest record goes; the saved state moves with its records
  doc.Undo(FALSE);
  doc.Undo(FALSE);
  EXPECT_TRUE(doc.GetHistory().IsAtSavedState());
  EXPECT_EQ(doc.value, 2);
  // An edit after undoing past the saved state discards it for good.
  doc.Undo(FALSE);
  doc.Edit(5);
  doc.Undo(FALSE);
  EXPECT_FALSE(doc.GetHistory().IsAtSavedState());
  doc.Redo(FALSE);
  EXPECT_FALSE(doc.GetHistory().IsAtSavedState());
  // So does trimming away the state before the oldest record.
  doc.GetHistory().Reset();
  doc.GetHistory().SetMaxUndo(1);
  doc.Edit(6);
  doc.Edit(7);
  doc.Undo(FALSE);
  EXPECT_FALSE(doc.GetHistory().IsAtSavedState());
}

// Ten edits 1..10 with `applied` of them in effect, the maximum lowered to `max` with the given
// answers: the questions asked, the history left, and the values reached by undoing and redoing
// all show which records stayed.
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

}  // namespace
