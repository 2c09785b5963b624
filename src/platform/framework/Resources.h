// Menu, accelerator, tool bar and icon resources by id. The program's tables register themselves at
// start-up; tests register their own.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win/WinTypes.h"

// One line of a menu: a popup (with items one level deeper following it), an item with a command
// id, or a separator (no text). Level 0 is the menu bar. A tab in an item's text separates the
// shortcut shown at the right.
struct MenuItem {
  int level;
  UINT id;
  const char* text;
};

struct MenuResource {
  UINT id;
  std::vector<MenuItem> items;
};

// Accelerator flags: the key is a virtual key, and the modifiers that must be held.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct AcceleratorEntry {
  BYTE flags;
  WORD key;  // a virtual key
  WORD command;
};

struct AcceleratorResource {
  UINT id;
  std::vector<AcceleratorEntry> entries;
};

// A tool bar: its buttons' command ids in order (0 is a separator) and the picture of the
// buttons side by side, each `buttonWidth` pixels wide, in XPM form.
struct ToolBarResource {
  UINT id;
  int buttonWidth;
  int buttonHeight;
  std::vector<UINT> buttons;
  const char* const* xpm;
};

// An icon: a small picture in XPM form.
struct IconResource {
  UINT id;
  const char* const* xpm;
};

// A bitmap: a picture in XPM form, shown by picture controls (SS_BITMAP) that name it.
struct BitmapResource {
  UINT id;
  const char* const* xpm;
};

void AddMenuResource(const MenuResource* menu);
void AddBitmapResource(const BitmapResource* bitmap);
const BitmapResource* FindBitmapResource(UINT id);
void AddIconResource(const IconResource* icon);
const IconResource* FindIconResource(UINT id);
void AddAcceleratorResource(const AcceleratorResource* table);
void AddToolBarResource(const ToolBarResource* toolBar);
// The registered resource of that id, or null.
const MenuResource* FindMenuResource(UINT id);
const AcceleratorResource* FindAcceleratorResource(UINT id);
const ToolBarResource* FindToolBarResource(UINT id);
