// Context help over a camera window: after Shift+F1 a click shows the topic of the prompt the
// window gives for the point it hits, what a press there would do, and carries out nothing.
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

}  // namespace
