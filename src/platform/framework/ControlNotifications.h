// What a dialog's controls tell the dialog, as the system's controls do: only what the user does
// notifies (clicks, selections, slider moves), except that an edit also notifies a change of its
// text made by the program. The program's own setters therefore keep controls quiet.
#pragma once

#include <functional>

#include "platform/framework/MessageMap.h"

class QWidget;

// WM_COMMAND notification codes.
constexpr UINT BN_CLICKED = 0;
constexpr UINT EN_KILLFOCUS = 0x0200;
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

// Message-map entries for the notifications.
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
