// Context help in the main window: after Shift+F1 a click in a camera window shows the topic of the
// prompt the window gives for the point it hits, what a press there would do, and carries out
// nothing; a click on a menu title opens the menu, whose command chosen shows its topic.
#include <gtest/gtest.h>

#include "platform/framework/MessageLoop.h"
#include "scene/MeshSO.h"
#include "support/RecordingHelp.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

TEST_F(SceneWindows, AHelpClickInACameraWindowShowsTheTopicOfThePromptAtThePointItHits) {
  RecordingHelp help;
  Key(Qt::Key_N);
  X3DView* view = Views(Scene()).at(0);
  Ptr<GroupSO> box(new GroupSO);  // at the centre of the new window's sight
  box->AddVisual(Ptr<MeshSO>(new MeshSO(8, 0.05, 0.1, 0xFF0000FF)));
  Scene().AddGroup(box, FALSE, FALSE, 0);
  Key(Qt::Key_3);  // Move Object
  ASSERT_EQ(app.GetInteractiveMode(), 3);
  QWidget* widget = view->GetWidget();
  const QPoint centre(widget->width() / 2, widget->height() / 2), corner(4, 4);

  const struct {
    const char* what;
    QPoint at;
    int selected;
    UINT prompt;  // the prompt of Move Object for what the click hits
  } cases[] = {
      {"the box", centre, 0, 40066},
      {"nothing, nothing selected", corner, 0, 40057},
      {"nothing, the box selected", corner, 1, 40067},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.selected) Scene().SelectOnly(box, FALSE, 0);
    ASSERT_EQ(Scene().GetSelectedCount(), c.selected);
    help.pages.clear();
    QTest::keyClick(widget, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(InContextHelpMode());
    QTest::mouseMove(widget, c.at);
    QTest::mouseClick(widget, Qt::LeftButton, {}, c.at);
    QApplication::processEvents();
    EXPECT_FALSE(InContextHelpMode());
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0].topic, 0x10000 + c.prompt);
    // The click selected nothing and moved nothing.
    EXPECT_EQ(Scene().GetSelectedCount(), c.selected);
    EXPECT_FALSE(view->IsMouseDown());
  }
}

// After Shift+F1 a click on a menu title opens the menu, still in help mode; the command chosen
// from it, by the mouse or by the keys, shows its topic and does not run. Closing the menu without
// a choice ends the mode.
TEST_F(SceneWindows, AHelpClickOnAMenuTitleOpensTheMenuAndTheCommandChosenShowsItsTopic) {
  RecordingHelp help;
  QMenuBar* bar = main->MainWindow()->menuBar();
  QWidget* objects = main->GetObjects3DView()->GetParentFrame()->GetWidget();
  ASSERT_TRUE(objects->isVisible());

  enum class Choice { Click, Keys, Escape };
  const struct {
    const char* what;
    const char* title;
    const char* item;
    Choice choice;
    DWORD topic;  // 0: none
  } cases[] = {
      {"File/New clicked", "&File", "&New", Choice::Click, 0x10000 + 57600},
      {"Window/3D Objects by the keys", "&Window", "&3D Objects", Choice::Keys, 0x10000 + 33125},
      {"File/Open highlighted, then Esc", "&File", "&Open", Choice::Escape, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    help.pages.clear();
    QAction* title = nullptr;
    for (QAction* top : bar->actions())
      if (top->text() == c.title) title = top;
    ASSERT_NE(title, nullptr);
    QMenu* menu = title->menu();
    Key(Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(InContextHelpMode());
    const QPoint at = bar->actionGeometry(title).center();
    QTest::mouseMove(bar, at);
    QTest::mouseClick(bar, Qt::LeftButton, {}, at);
    QApplication::processEvents();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_TRUE(InContextHelpMode());
    EXPECT_TRUE(help.pages.empty());
    QAction* item = Item(menu, c.item);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());
    switch (c.choice) {
      case Choice::Click: {
        const QPoint on = menu->actionGeometry(item).center();
        QTest::mouseMove(menu, on);
        QTest::mouseClick(menu, Qt::LeftButton, {}, on);
        break;
      }
      case Choice::Keys:
        HighlightByKeys(menu, item);
        QTest::keyClick(menu, Qt::Key_Return);
        break;
      case Choice::Escape:
        HighlightByKeys(menu, item);
        QTest::keyClick(menu, Qt::Key_Escape);
        break;
    }
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(InContextHelpMode());
    std::vector<DWORD> shown;
    for (const HelpPage& page : help.pages) shown.push_back(page.topic);
    EXPECT_EQ(shown, c.topic ? std::vector<DWORD>{c.topic} : std::vector<DWORD>{});
    // Nothing ran: no new scene, the 3D Objects window still shown, no dialog.
    EXPECT_EQ(OpenFrames(), 0);
    EXPECT_TRUE(objects->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

}  // namespace
