// Help from the main frame: the boxes it owns once it exists, their Help button, and the page of
// Help/More 3D Objects.
#include <gtest/gtest.h>

#include "core/XMessageBox.h"
#include "shell/ShellTestSupport.h"
#include "shell/XMainFrame.h"
#include "support/RecordingDesktop.h"

namespace shell_test {
namespace {

// A box whose user presses Help before OK.
class HelpPressingBoxes final : public MessageBoxBackend {
 public:
  HelpPressingBoxes() : previous_(SetMessageBoxBackend(this)) {}
  ~HelpPressingBoxes() override { SetMessageBoxBackend(previous_); }
  int Show(HWND owner, const char*, const char*, UINT style) override {
    owners.push_back(owner);
    styles.push_back(style);
    if (style & MB_HELP) RequestMessageBoxHelp(owner);
    return IDOK;
  }
  std::vector<HWND> owners;
  std::vector<UINT> styles;

 private:
  MessageBoxBackend* previous_;
};

using MainFrameHelp = StartedApp;

TEST_F(MainFrameHelp, BoxesWithATopicBelongToTheMainFrameAndTheirHelpOpensIt) {
  WritePreferences(kSetUpBefore);
  ASSERT_TRUE(Start());
  RecordingDesktop desktop;
  HelpPressingBoxes user;
  XInfoBox(40231);
  XInfoBox("a plain text has no topic");
  ASSERT_EQ(user.owners.size(), 2u);
  EXPECT_EQ(user.owners[0], XGetMainFrame()->GetSafeHwnd());
  EXPECT_TRUE(user.styles[0] & MB_HELP);
  EXPECT_EQ(user.owners[1], nullptr);
  EXPECT_FALSE(user.styles[1] & MB_HELP);
  EXPECT_EQ(desktop.urls.size(), 1u);
  EXPECT_TRUE(desktop.Opened(40231 + 0x10000));
  XGetMainFrame()->SendMessage(WM_COMMAND, 33017);
  EXPECT_TRUE(desktop.Opened(33017 + 0x10000));
}

}  // namespace
}  // namespace shell_test
