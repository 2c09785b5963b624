// The Export Image dialog: its defaults, the sizes it takes and the messages for those it refuses.
#include <QApplication>

#include "dialogs/DialogExportImage.h"
#include "dialogs/DialogTestSupport.h"

namespace {

class ExportImageTest : public ::testing::Test, public DialogApp {
 protected:
  // Types the sizes, sets the check box and presses OK; `after` looks at a dialog left open.
  int Run(const char* width, const char* height, bool improve, const std::function<void(QDialog*)>& after = {}) {
    return RunModal([&] { return dialog_.DoModal(); },
                    [&](QDialog* window) {
                      Type(dialog_, 32819, width);
                      Type(dialog_, 32820, height);
                      if (Checked(dialog_, 32821) != improve) Click(dialog_, 32821);
                      Click(dialog_, IDOK);
                      if (window->isVisible()) {
                        if (after) after(window);
                        Click(dialog_, IDCANCEL);
                      }
                    });
  }

  ScriptedMessageBoxes boxes_;
  DialogExportImage dialog_;
};

// Of two bad sizes the height is checked first; the framework tests its own messages.
TEST_F(ExportImageTest, OpensWithTheDefaultsImprovedSidesStopAt1017AndOthersAt2034) {
  RunThenPress(dialog_, [&](QDialog*) {
    EXPECT_EQ(TextOf(dialog_, 32819), "640");
    EXPECT_EQ(QApplication::focusWidget(), Control(dialog_, 32819));
  });
  EXPECT_EQ(dialog_.m_width, 640u);
  EXPECT_EQ(dialog_.m_height, 480u);
  EXPECT_TRUE(dialog_.m_improve);

  const auto focusOnHeight = [&](QDialog*) { EXPECT_EQ(QApplication::focusWidget(), Control(dialog_, 32820)); };
  EXPECT_EQ(Run("2035", "0", false, focusOnHeight), IDCANCEL);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0].text, "Please enter an integer between 1 and 2034.");
  EXPECT_EQ(Run("1018", "1", true, [&](QDialog*) { EXPECT_EQ(dialog_.m_width, 1018u); }), IDCANCEL);
  ASSERT_EQ(boxes_.boxes.size(), 2u);
  EXPECT_EQ(boxes_.boxes[1].text,
            "With \"Improve image quality\" on, the Width and Height can not be greater than 1017 each.");
  EXPECT_EQ(Run("1", "1018", true), IDCANCEL);
  EXPECT_EQ(Run("1017", "1017", true), IDOK);
  EXPECT_EQ(Run("2034", "2034", false), IDOK);
  EXPECT_FALSE(dialog_.m_improve);
  EXPECT_EQ(dialog_.m_width, 2034u);
  EXPECT_EQ(boxes_.boxes.size(), 3u);
}

}  // namespace
