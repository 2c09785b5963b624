// The Status Bar page of the Preferences sheet: how fast, and whether, the status line blinks and
// widens to draw attention to a new prompt. The settings are the status bar's own; the page only
// shows them and hands them back.
#pragma once

#include "dialogs/XPropertyPage.h"
#include "platform/framework/Controls.h"

constexpr UINT kStatusBarPrefsTemplate = 10205;

class PageStatusBarPrefs : public XPropertyPage {
 public:
  PageStatusBarPrefs();

  BOOL OnInitDialog() override;
  void OnOK() override;

  CSliderCtrl m_blink_rate;
  int m_blink = FALSE;
  int m_expand = FALSE;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
