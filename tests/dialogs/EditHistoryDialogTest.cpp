// The Edit History dialog over numbered edits, driven by clicks, typing, Enter and its buttons.
#include <QListWidget>
#include <QPushButton>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/EditHistoryDialog.h"
#include "document/HistoryTestSupport.h"

namespace {

using history_test::NumberDocument;

class EditHistoryDialogTest : public ::testing::Test, public DialogApp {
 protected:
  EditHistoryDialogTest() : previous_(SetEditHistoryRunner(&EditHistoryDialog::Run)) {
    doc.GetHistory().SetMaxUndo(1000);
  }
  ~EditHistoryDialogTest() override { SetEditHistoryRunner(previous_); }

  void Edits(int count) {
    for (int i = 0; i < count; ++i) doc.Edit(doc.value + 1);
  }

  // Edit/History through the document's command routing; `user` acts on the dialog and ends it.
  void OpenHistory(const std::function<void(QDialog*)>& user) {
    RunModal([&] { return doc.OnCmdMsg(10005, 0, nullptr, nullptr) ? IDOK : IDCANCEL; }, user);
  }

  static QListWidget* List(QDialog* d) { return d->findChild<QListWidget*>(); }
  static QPushButton* Button(QDialog* d, const char* text) {
    for (QPushButton* b : d->findChildren<QPushButton*>())
      if (b->text() == text) return b;
    return nullptr;
  }
  static void ClickLine(QDialog* d, int line) {
    QListWidget* list = List(d);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(line)).center());
    QCoreApplication::processEvents();
  }
  static void TypeComment(QDialog* d, const char* text) { Type(*WindowOfWidget(d), 32781, text); }
  std::string Comment(int record) { return doc.GetHistory().GetRecord(record)->GetComment().str(); }
  static void Press(QDialog* d, const char* text) { QTest::mouseClick(Button(d, text), Qt::LeftButton); }

  NumberDocument doc;
  ScriptedMessageBoxes boxes;

 private:
  EditHistoryRunner previous_;
};

TEST_F(EditHistoryDialogTest, CommentsAreKeptTheSceneMovesToTheChosenRecordAndPreferencesOpensUndo) {
  Edits(5);
  OpenHistory([&](QDialog* d) {
    QListWidget* list = List(d);
    ASSERT_EQ(list->count(), 6);
    // Enter on the current-scene line only beeps.
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(boxes.beeps.size(), 1u);
    ASSERT_TRUE(d->isVisible());
    ClickLine(d, 1);
    TypeComment(d, "first look");
    ClickLine(d, 3);  // the comment of record 1 is stored and its line redrawn at once
    EXPECT_TRUE(list->item(1)->text().endsWith("\tfirst look"));
    TypeComment(d, "kept on Close");
    Press(d, "Close");
  });
  EXPECT_EQ(Comment(1), "first look");
  EXPECT_EQ(Comment(3), "kept on Close");
  EXPECT_EQ(doc.GetHistory().GetModIndex(), 4);

  OpenHistory([&](QDialog* d) {
    ClickLine(d, 3);
    QTest::mouseDClick(List(d)->viewport(), Qt::LeftButton, {}, List(d)->visualItemRect(List(d)->item(3)).center());
  });
  history_test::ExpectHistory(doc, {.count = 5, .modIndex = 2, .maxUndo = 1000, .value = 3});
  OpenHistory([&](QDialog* d) {
    ClickLine(d, 4);  // record 3, after the current-scene line
    QTest::keyClick(List(d), Qt::Key_Return);
  });
  EXPECT_EQ(doc.GetHistory().GetModIndex(), 3);

  // Preferences... closes the dialog, then opens the sheet on its Undo page. The sheet shows after
  // the dialog's own callback has returned, so the poll for it lives as long as the test.
  QString pageShown;
  std::function<void()> onSheet = [&] {
    auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    auto* tabs = sheet ? sheet->findChild<QTabBar*>() : nullptr;
    if (!tabs) return QTimer::singleShot(10, onSheet);  // no sheet yet, or still the dialog
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    pageShown = tabs->tabText(tabs->currentIndex());
    QTest::keyClick(sheet, Qt::Key_Escape);
  };
  OpenHistory([&](QDialog* d) {
    QTimer::singleShot(0, onSheet);
    Press(d, "Pre&ferences...");
  });
  EXPECT_EQ(pageShown, "Undo");
  EXPECT_EQ(doc.GetHistory().GetModIndex(), 3);
}

TEST_F(EditHistoryDialogTest, TheDialogOpensWithTheCurrentSceneLineInView) {
  Edits(60);
  OpenHistory([&](QDialog* d) {
    QListWidget* list = List(d);
    ASSERT_EQ(list->selectedItems().size(), 1);
    const QRect line = list->visualItemRect(list->selectedItems()[0]);
    EXPECT_TRUE(line.top() >= 0 && line.bottom() <= list->viewport()->rect().bottom());
    Press(d, "Close");
  });
}

TEST_F(EditHistoryDialogTest, LongHistoriesArePagedAndAPageChangeDropsAnUnstoredComment) {
  Edits(210);
  OpenHistory([&](QDialog* d) {
    QListWidget* list = List(d);
    ASSERT_EQ(list->count(), 4);  // records 207..209 and the current-scene line
    ClickLine(d, 0);
    TypeComment(d, "lost");
    Press(d, "&Prev Range");
    EXPECT_EQ(list->count(), 207);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_FALSE(Button(d, "Undo To")->isEnabled());
    ClickLine(d, 5);
    Press(d, "Undo To");
  });
  EXPECT_NE(Comment(207), "lost");
  EXPECT_EQ(doc.GetHistory().GetModIndex(), 4);
  EXPECT_EQ(doc.value, 5);
}

}  // namespace
