// The camera window's commands open the Edit Camera sheet on their own pages.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QTabBar>

#include "platform/framework/RunModal.h"
#include "views/CameraWindowTestSupport.h"

namespace {

using views_test::CameraWindowFixture;

struct X3DViewEditCameraTest : CameraWindowFixture {};

TEST_F(X3DViewEditCameraTest, EachCommandOpensTheSheetOnItsPage) {
  X3DView& view = Window();
  for (const auto& [command, page] : {std::pair{33120, 0}, {2103, 2}, {2104, 1}}) {
    int shown = -1;
    RunModal(
        [&] { return static_cast<int>(view.SendMessage(WM_COMMAND, static_cast<WPARAM>(command))); },
        [&](QDialog* sheet) {
          shown = sheet->findChild<QTabBar*>()->currentIndex();
          for (QAbstractButton* button : sheet->findChildren<QAbstractButton*>())
            if (button->text() == "Cancel") button->click();
        });
    EXPECT_EQ(shown, page) << command;
  }
}

}  // namespace
