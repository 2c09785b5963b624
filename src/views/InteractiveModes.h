// The twenty interactive modes of a camera window: their commands, the mode a window takes while
// Ctrl or Alt is held with a digit, and the undo record a drag opens when it enters a family.
#pragma once

#include "platform/win/WinTypes.h"

constexpr int numberInteractiveModes = 20;
constexpr int rotateObjectAboutMode = 2;

// The mode of a command id (the menu, the toolbars and the accelerators send it), or -1.
int InteractiveModeOfCommand(UINT command);

// The keys the override looks at, as the window reads them at the moment.
struct HeldKeys {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  // How many of A-Z (65-90), F1-F12 (112-123) and the main-row digits (48-57) are held, and
  // the last of them. Keypad digits never count.
  int countedKeys = 0;
  int lastCounted = 0;

  void Press(int virtualKey);
};

// The keys held on the keyboard now.
HeldKeys CurrentHeldKeys();

// The mode a window drags in: the application's, unless Ctrl (or Alt) alone is held with exactly
// one counted key that is a digit. Application modes 2 and 13 are never overridden.
int EffectiveInteractiveMode(int applicationMode, const HeldKeys& keys);

// Whether moving from `previous` (-1: the first move of a drag) to `mode` opens a new record:
// the modes fall into families, and a drag continues the record of its family.
bool OpensDragRecord(int mode, int previous);
bool IsCameraMode(int mode);

// The record a drag step opens: its undo kind, its description id, and whether it covers the
// picked group alone (otherwise the document's selection).
struct DragRecord {
  int kind;
  UINT description;
  bool pickedAlone;
};
// `picked`: an object was under the pointer at the press; `pickedIsCylinder`: that object is
// the document's rotate-about cylinder.
DragRecord ChooseDragRecord(int mode, bool picked, bool pickedIsCylinder, int selectedCount);
