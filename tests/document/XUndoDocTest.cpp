#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/HistoryTestSupport.h"
#include "document/XUndoDoc.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "support/FatalCheck.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using history_test::NumberDocument;
using history_test::UpdateCommand;

class CountingView : public CView {
 public:
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM, CObject*) override { ++updates; }
  int updates = 0;
};

class ReopeningApp : public CWinApp {
 public:
  CDocument* OpenDocumentFile(const char* path) override {
    reopened.emplace_back(path);
    return nullptr;
  }
  std::vector<std::string> reopened;
};

TEST(XUndoDocTest, MenuTextsViewUpdatesAndModifiedFollowTheHistory) {
  NumberDocument doc;
  CountingView view;
  doc.AddView(&view);
  EXPECT_FALSE(UpdateCommand(doc, 57643).enabled);
  EXPECT_EQ(UpdateCommand(doc, 57643).text, "&Undo\tCtrl+Z");
  EXPECT_EQ(UpdateCommand(doc, 57644).text, "&Redo\tCtrl+Y");

  doc.Edit(1);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(UpdateCommand(doc, 57643).enabled);
  EXPECT_EQ(UpdateCommand(doc, 57643).text, "&Undo Edit Lights\tCtrl+Z");
  EXPECT_FALSE(UpdateCommand(doc, 57644).enabled);

  ASSERT_TRUE(doc.OnCmdMsg(57643, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(doc.value, 0);
  EXPECT_EQ(view.updates, 1);
  EXPECT_FALSE(doc.IsModified()) << "back at the state of the new document";
  EXPECT_EQ(UpdateCommand(doc, 57644).text, "&Redo Edit Lights\tCtrl+Y");
  ASSERT_TRUE(doc.OnCmdMsg(57644, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(doc.value, 1);
  EXPECT_EQ(view.updates, 2);
  EXPECT_TRUE(doc.IsModified());
  doc.RemoveView(&view);
}

TEST(XUndoDocTest, UndoAndRedoToAnItemOfAnyPage) {
  NumberDocument doc;
  CountingView view;
  doc.AddView(&view);
  doc.GetHistory().SetMaxUndo(1000);
  for (LONG v = 1; v <= 300; ++v) doc.Edit(v);
  while (doc.GetHistory().GetModIndex() > 50) doc.Undo(FALSE);
  // Page 1, item 0 shows record 207: Redo To applies it and everything before it.
  doc.UndoRedoTo({1, 1}, 0);
  EXPECT_EQ(doc.GetHistory().GetModIndex(), 207);
  EXPECT_EQ(doc.value, 208);
  EXPECT_EQ(view.updates, 1);
  // Undo To record 10 (page 0, item 10) leaves record 9 current.
  doc.UndoRedoTo({0, 1}, 10);
  EXPECT_EQ(doc.GetHistory().GetModIndex(), 9);
  EXPECT_EQ(doc.value, 10);
  // The newest record can be chosen: page 1 item 92 is record 299.
  doc.UndoRedoTo({1, 1}, 92);
  EXPECT_EQ(doc.value, 300);
  EXPECT_FATAL(doc.UndoRedoTo({1, 1}, 93), "modIndex != i-1", "Cannot undo/redo to current document (nothing to do)");
  doc.RemoveView(&view);
}

// A step that fails reverts the scene to its file (or closes it without one), and nothing touches
// the closed document afterwards.
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
  EXPECT_EQ(app.reopened, (std::vector<std::string>{"/tmp/scenes/kept.tvr"}));
}

}  // namespace
