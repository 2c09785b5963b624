// What the status bar says about the mouse over a camera window: one prompt per interactive mode,
// state of the button and target under the pointer, read from two tables. Refusals are
// highlighted and shown with the prohibition cursor.
#pragma once

#include "platform/win/WinTypes.h"
#include "views/DragPreconditions.h"

// Everything a prompt depends on, as the window sees it at the refresh: what a drag needs, and
// the mode and state of the button.
struct PromptInputs : DragConditions {
  int mode = 0;          // the effective interactive mode
  bool pressed = false;  // the left button is held in the window; `picked` is then the press's
  bool pickedIsCylinder = false;  // the target is the rotate-about cylinder
  bool sceneEmpty = false;
  bool rotateWithTracking = false;
  bool trackSet = false;  // the press grabbed a point
};

constexpr COLORREF kPromptHighlight = 0x000000FF;
// Cursor resources: 0 stands for the standard arrow.
constexpr int kProhibitedCursor = 104;
constexpr int kVerticalDragCursor = 138;
constexpr int kHorizontalDragCursor = 139;

struct StatusPrompt {
  UINT id;
  COLORREF highlight;  // kPromptHighlight or 0
  int cursor;
};

StatusPrompt ChooseStatusPrompt(const PromptInputs& in);
// Whether a prompt refuses or asks for a selection first.
bool IsRefusalPrompt(UINT id);
