// What a dialog's controls tell the dialog, as the system's controls do: only what the user does
// notifies (clicks, selections, slider moves), except that an edit also notifies a change of its
// text made by the program. The program's own setters therefore keep controls quiet.
#pragma once

#include <functional>

#include "platform/win/WinTypes.h"

class QWidget;

constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
// WM_COMMAND notification codes.
constexpr UINT BN_CLICKED = 0;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT LBN_SELCHANGE = 1;
constexpr UINT LBN_DBLCLK = 2;
// Scroll codes of track bars.
constexpr UINT TB_LINEUP = 0;
constexpr UINT TB_LINEDOWN = 1;
constexpr UINT TB_PAGEUP = 2;
constexpr UINT TB_PAGEDOWN = 3;
constexpr UINT TB_THUMBPOSITION = 4;
constexpr UINT TB_THUMBTRACK = 5;
constexpr UINT TB_TOP = 6;
constexpr UINT TB_BOTTOM = 7;
constexpr UINT TB_ENDTRACK = 8;

struct ControlNotification {
  QWidget* control;
  int id;
  UINT message;  // WM_COMMAND, or WM_HSCROLL / WM_VSCROLL for a track bar
  UINT code;     // the notification or scroll code
};
using ControlNotifier = std::function<void(const ControlNotification&)>;

// Connects the widget of a template control so that it reports to `notify`.
void ConnectControlNotifications(QWidget* control, int id, const ControlNotifier& notify);
