// The status prompt of a camera window: its cells' tests in order, highlight and cursor.
#include <gtest/gtest.h>

#include "dialogs/XDialog.h"
#include "dialogs/XPropertySheet.h"
#include "platform/framework/Document.h"
#include "platform/win/StringResources.h"
#include "shell/Objects3DView.h"
#include "shell/XToolBar.h"
#include "support/FatalCheck.h"
#include "views/StatusPrompts.h"
#include "views/X3DView.h"

namespace {

// A perspective Camera window with an f-stop and no preference set: no test of a cell holds.
PromptInputs Plain(int mode, bool pressed, int column) {
  PromptInputs in;
  in.mode = mode;
  in.pressed = pressed;
  in.fStop = 8.0;
  in.selectedCount = column == 3 ? 1 : column;
  in.picked = column == 3;
  return in;
}

TEST(StatusPromptsTest, CellsCarryTextHighlightAndCursorAndTheirTestsTakeEffectInOrder) {
  // Columns: none, one, several, pointing (one other object selected).
  const struct {
    int mode;
    bool pressed;
    int column;
    UINT id;
    int cursor;
  } cases[] = {
      {0, false, 0, 40057, kProhibitedCursor}, {0, true, 1, 40185, kVerticalDragCursor},
      {2, true, 2, 40106, kProhibitedCursor},  {2, true, 1, 40111, kHorizontalDragCursor},
      {7, false, 3, 40099, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " column " << c.column << " pressed " << c.pressed);
    const StatusPrompt p = ChooseStatusPrompt(Plain(c.mode, c.pressed, c.column));
    EXPECT_EQ(p.id, c.id);
    EXPECT_NE(FindStringResource(p.id), nullptr);
    EXPECT_EQ(p.cursor, c.cursor);
    EXPECT_EQ(p.highlight == kPromptHighlight, c.cursor == kProhibitedCursor);
  }
  EXPECT_TRUE(IsRefusalPrompt(40181u));
  EXPECT_FALSE(IsRefusalPrompt(40152u));

  // The tests of a cell take effect in their order; the target decides object prompts.
  PromptInputs in = Plain(9, false, 1);
  in.cameraKind = false;
  in.orthographic = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40149u);  // a fixed window alone allows Push/Pull Camera
  in.trackSceneExtents = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40159u);  // tracking refuses before the projection does

  // Rotation with tracking: while pressed it also needs the grabbed point.
  in = Plain(6, true, 3);
  in.rotateWithTracking = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40120u);
  in.trackSet = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40119u);
  in = Plain(13, false, 3);
  in.pickedIsSelected = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40059u);
  in.selectedCount = 0;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40056u);  // nothing selected comes first
  // Two selected: what is under the pointer does not count.
  in = Plain(3, false, 2);
  in.picked = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40068u);
  // The cylinder drag of Rotate Object About keeps the arrow.
  in = Plain(2, true, 3);
  in.pickedIsCylinder = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40152u);
  EXPECT_EQ(ChooseStatusPrompt(in).cursor, 0);
  // An empty scene with nothing to point at.
  in = Plain(8, true, 0);
  in.sceneEmpty = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40054u);
  EXPECT_EQ(ChooseStatusPrompt(in).highlight, kPromptHighlight);
  EXPECT_FATAL(ChooseStatusPrompt(Plain(20, false, 0)), "0", "");
}

// Each window's status callback stops on an argument of another kind, naming the argument as the
// callback's own.
TEST(StatusPromptsTest, ACallbackGivenAnotherKindOfObjectReportsItsArgument) {
  CDocument stranger;
  const struct {
    void (*callback)(void*);
    const char* expression;
  } cases[] = {
      {&X3DView::UpdateStatusPromptCallback, "ISKINDOF( argument, X3DView )"},
      {&XToolBar::StatusCallback, "ISKINDOF( argument, XToolBar )"},
      {&Objects3DView::StatusCallback, "ISKINDOF( argument, Objects3DView )"},
      {&XDialog::StatusCallback, "ISKINDOF( argument, XDialog )"},
      {&XPropertySheet::StatusCallback, "ISKINDOF( argument, XPropertySheet )"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    EXPECT_FATAL(c.callback(&stranger), c.expression, "");
  }
}

}  // namespace
