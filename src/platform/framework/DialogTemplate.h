// Dialog templates: the resource tables a dialog is built from. A template gives the dialog's
// caption, size, font and styles and, in creation order, each control's id, class, text,
// rectangle in dialog units and styles. Dialog units are a quarter of the dialog font's average
// character width across and an eighth of its height down.
#pragma once

#include <cstddef>

#include "platform/framework/WindowStyles.h"

constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_CENTER = 0x0800;
// Buttons: the low four bits choose the kind.
constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_GROUPBOX = 0x7;
constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
constexpr DWORD BS_OWNERDRAW = 0xB;
constexpr DWORD BS_TYPEMASK = 0xF;
// Edits.
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_NUMBER = 0x2000;
// Statics.
constexpr DWORD SS_LEFT = 0x0;
constexpr DWORD SS_CENTER = 0x1;
// A picture: the control's text names its bitmap resource as "#<id>"; the picture fills the control.
constexpr DWORD SS_BITMAP = 0xE;
constexpr DWORD SS_TYPEMASK = 0x1F;
// List boxes and combo boxes.
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_USETABSTOPS = 0x0080;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
// Track bars.
constexpr DWORD TBS_VERT = 0x0002;
constexpr DWORD TBS_BOTH = 0x0008;
constexpr DWORD TBS_NOTICKS = 0x0010;

enum class ControlClass { Button, Edit, Static, ListBox, ComboBox, TrackBar };

struct DialogControl {
  int id;  // -1 for controls the program never addresses
  ControlClass kind;
  const char* text;
  short x, y, cx, cy;  // dialog units
  DWORD style;         // besides WS_CHILD | WS_VISIBLE, which every control has
};

struct DialogTemplate {
  UINT id;
  const char* caption;
  short cx, cy;  // dialog units
  const char* fontName;
  int pointSize;
  DWORD style;
  DWORD exStyle;
  const DialogControl* controls;
  std::size_t controlCount;
};

// Makes `table` (alive for the rest of the run) the templates the dialogs are built from; the
// program hands its own at start-up.
void RegisterDialogTemplates(const DialogTemplate* const* table, std::size_t count);
// The template `id`, or nullptr when there is none (or no table is registered).
const DialogTemplate* FindDialogTemplate(UINT id);

// The width and height in pixels of one average character of a font: the dialog's base units.
struct DialogBaseUnits {
  int x;
  int y;
};

// A rectangle of dialog units (x, y, width, height) in pixels: each edge converted on its own,
// x · base.x / 4 and y · base.y / 8, rounded.
RECT MapDialogRect(short x, short y, short cx, short cy, DialogBaseUnits base);
