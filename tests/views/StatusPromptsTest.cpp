#include <gtest/gtest.h>

#include "platform/win/StringResources.h"
#include "support/FatalCheck.h"
#include "views/StatusPrompts.h"

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

// Per mode: none, one, several, pointing (one other object selected), in the plain window.
constexpr UINT kUpPlain[20][4] = {
    {40057, 40184, 40186, 40182}, {40057, 40063, 40064, 40062}, {40056, 40065, 40060, 40065},
    {40057, 40067, 40068, 40066}, {40057, 40070, 40071, 40069}, {40072, 40072, 40072, 40072},
    {40057, 40075, 40076, 40074}, {40099, 40099, 40099, 40099}, {40077, 40079, 40080, 40078},
    {40081, 40083, 40084, 40082}, {40057, 40086, 40087, 40085}, {40057, 40089, 40090, 40088},
    {40057, 40092, 40093, 40091}, {40056, 40180, 40060, 40094}, {40095, 40095, 40095, 40095},
    {40096, 40096, 40096, 40096}, {40057, 40098, 40060, 40097}, {40100, 40100, 40100, 40100},
    {40101, 40101, 40101, 40101}, {40102, 40102, 40102, 40102}};
constexpr UINT kPressedPlain[20][4] = {
    {40104, 40185, 40187, 40183}, {40104, 40109, 40110, 40108}, {40103, 40111, 40106, 40111},
    {40104, 40113, 40114, 40112}, {40104, 40116, 40117, 40115}, {40118, 40118, 40118, 40118},
    {40104, 40121, 40122, 40120}, {40145, 40145, 40145, 40145}, {40123, 40125, 40126, 40124},
    {40127, 40129, 40130, 40128}, {40104, 40132, 40133, 40131}, {40104, 40135, 40136, 40134},
    {40104, 40138, 40139, 40137}, {40103, 40181, 40106, 40140}, {40141, 40141, 40141, 40141},
    {40142, 40142, 40142, 40142}, {40104, 40144, 40106, 40143}, {40146, 40146, 40146, 40146},
    {40147, 40147, 40147, 40147}, {40148, 40148, 40148, 40148}};

TEST(StatusPromptsTest, EveryCellOfAPlainWindowWithItsHighlightAndCursor) {
  constexpr int kVertical[20] = {1, 0, 2, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 1, 1, 1, 1};
  for (int mode = 0; mode < 20; ++mode) {
    for (int column = 0; column < 4; ++column) {
      for (bool pressed : {false, true}) {
        const UINT expected = (pressed ? kPressedPlain : kUpPlain)[mode][column];
        const StatusPrompt p = ChooseStatusPrompt(Plain(mode, pressed, column));
        SCOPED_TRACE(testing::Message() << "mode " << mode << " column " << column << " pressed " << pressed);
        EXPECT_EQ(p.id, expected);
        EXPECT_NE(FindStringResource(p.id), nullptr);
        const bool refusal = p.highlight == kPromptHighlight;
        EXPECT_EQ(refusal, p.cursor == kProhibitedCursor);
        if (!refusal) {
          const int drag = !pressed ? 0 : kVertical[mode] == 1 ? kVerticalDragCursor
                                       : kVertical[mode] == 2 ? kHorizontalDragCursor : 0;
          EXPECT_EQ(p.cursor, drag);
        }
      }
    }
  }
  // The highlighted ones: the selection requests and the refusals.
  for (UINT id : {40056u, 40057u, 40060u, 40103u, 40104u, 40106u, 40180u, 40181u})
    EXPECT_TRUE(IsRefusalPrompt(id)) << id;
  for (UINT id : {40065u, 40111u, 40152u, 40151u, 40094u}) EXPECT_FALSE(IsRefusalPrompt(id)) << id;
}

TEST(StatusPromptsTest, TestsOfACellTakeEffectInTheirOrderAndTheTargetDecidesObjectPrompts) {
  PromptInputs in = Plain(9, false, 1);
  in.cameraKind = false;
  in.orthographic = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40149u);  // a fixed window alone allows Push/Pull Camera
  in.trackSceneExtents = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40159u);  // tracking refuses before the projection does
  in.pressed = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40160u);

  in = Plain(17, false, 0);
  in.fStop = 0.0;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40178u);
  in.autoFocus = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40153u);
  in.orthographic = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40149u);

  in = Plain(11, true, 3);
  in.sightHorizontal = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40167u);
  in = Plain(4, false, 3);
  in.orthographic = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40161u);
  EXPECT_EQ(ChooseStatusPrompt(in).highlight, 0u);

  // Rotation with tracking: while pressed it also needs the grabbed point.
  in = Plain(6, true, 3);
  in.rotateWithTracking = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40120u);
  in.trackSet = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40119u);
  in = Plain(1, false, 3);
  in.rotateWithTracking = true;
  EXPECT_EQ(ChooseStatusPrompt(in).id, 40061u);
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

}  // namespace
