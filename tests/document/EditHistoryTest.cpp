#include <gtest/gtest.h>

#include "document/HistoryTestSupport.h"
#include "support/FatalCheck.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using history_test::ExpectHistory;
using history_test::NumberDocument;

// Ten edits 1..10 with `applied` of them in effect.
void TenEdits(NumberDocument& doc, int applied) {
  doc.GetHistory().SetMaxUndo(10);
  for (LONG v = 1; v <= 10; ++v) doc.Edit(v);
  for (int n = 10; n > applied; --n) doc.Undo(FALSE);
}

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
  EXPECT_FALSE(doc.GetHistory().CanUndo());
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

TEST(EditHistoryTest, LoweringTheMaximumDropsOldestRecordsOrAsksBeforeRedoRecords) {
  {  // Eight applied: the six oldest go, without a question.
    ScriptedMessageBoxes boxes;
    NumberDocument doc;
    TenEdits(doc, 8);
    doc.GetHistory().SetMaxUndo(4);
    EXPECT_TRUE(boxes.boxes.empty());
    ExpectHistory(doc, {.count = 4, .modIndex = 1, .maxUndo = 4, .value = 8});
    doc.Undo(FALSE);
    doc.Undo(FALSE);
    EXPECT_FALSE(doc.GetHistory().CanUndo());
    EXPECT_EQ(doc.value, 6);
  }
  {  // Three applied, the question answered No: nothing changes.
    ScriptedMessageBoxes boxes;
    boxes.Answer({IDNO});
    NumberDocument doc;
    TenEdits(doc, 3);
    doc.GetHistory().SetMaxUndo(4);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, XString(UINT{40048}).str());
    EXPECT_EQ(boxes.boxes[0].style & (MB_TYPEMASK | MB_DEFMASK), MB_YESNO | MB_DEFBUTTON2);
    ExpectHistory(doc, {.count = 10, .modIndex = 2, .maxUndo = 10, .value = 3});
  }
  {  // Yes: the three applied and the three newest redo records go; four redo records stay.
    ScriptedMessageBoxes boxes;
    boxes.Answer({IDYES});
    NumberDocument doc;
    TenEdits(doc, 3);
    doc.GetHistory().SetMaxUndo(4);
    ExpectHistory(doc, {.count = 4, .modIndex = -1, .maxUndo = 4, .value = 3});
    for (int n = 0; n < 4; ++n) doc.Redo(FALSE);
    EXPECT_EQ(doc.value, 7);
  }
  {  // Turning undo off with nothing to redo asks only whether to turn it off.
    ScriptedMessageBoxes boxes;
    boxes.Answer({IDYES});
    NumberDocument doc;
    doc.Edit(1);
    doc.GetHistory().SetMaxUndo(0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, XString(UINT{40209}).str());
    ExpectHistory(doc, {.count = 0, .modIndex = -1, .maxUndo = 0, .value = 1});
  }
  {  // With redo records both questions come; No to the second keeps everything.
    ScriptedMessageBoxes boxes;
    boxes.Answer({IDYES, IDNO});
    NumberDocument doc;
    TenEdits(doc, 5);
    doc.GetHistory().SetMaxUndo(0);
    EXPECT_EQ(boxes.boxes.size(), 2u);
    ExpectHistory(doc, {.count = 10, .modIndex = 4, .maxUndo = 10, .value = 5});
    // A negative maximum counts as 0.
    boxes.Answer({IDYES, IDYES});
    doc.GetHistory().SetMaxUndo(-5);
    ExpectHistory(doc, {.count = 0, .modIndex = -1, .maxUndo = 0, .value = 5});
  }
}

}  // namespace
