// What the status bar says about the mouse over a camera window: one prompt per interactive mode,
// state of the button and target under the pointer, read from two tables. Refusals are
// highlighted and shown with the prohibition cursor.
#pragma once

#include "platform/win/WinTypes.h"

// Everything a prompt depends on, as the window sees it at the refresh.
struct PromptInputs {
  int mode = 0;                   // the effective interactive mode
  bool pressed = false;           // the left button is held in the window
  bool picked = false;            // an object is under the pointer (pressed: under the press)
  bool pickedIsCylinder = false;  // ... and it is the rotate-about cylinder
  bool pickedIsSelected = false;
  int selectedCount = 0;
  bool sceneEmpty = false;
  int windowKind = 0;  // 0: a general Camera window; others look in a fixed direction
  bool orthographic = false;
  bool autoFocus = false;
  bool autoAperture = false;
  double fStop = 0.0;
  bool sightHorizontal = false;  // the camera looks exactly parallel to the ground
  bool rotateWithTracking = false;
  bool trackSet = false;  // the press grabbed a point
  bool trackSceneExtents = false;
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
