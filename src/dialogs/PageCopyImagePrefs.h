// The Copy Image page of the Preferences sheet: whether copied images are always improved, the
// dots per inch recorded in them (or none), and the measured width of the display, stored in
// inches and shown in inches or centimetres. The width is kept in inches at full precision; the
// unit shown only changes what is displayed, so switching units loses nothing.
#pragma once

#include "dialogs/XPropertyPage.h"
#include "platform/framework/Controls.h"

constexpr UINT kCopyImagePrefsTemplate = 10209;

class PageCopyImagePrefs : public XPropertyPage {
 public:
  PageCopyImagePrefs();

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnSelChangeDisplayUnits();
  void OnDontUseDpi();

  CComboBox m_display_units;
  int m_always_improve = FALSE;
  UINT m_dpi = 0;
  double m_display_width = 0.0;  // in the unit shown
  int m_dont_use_dpi = FALSE;
  int m_cur_display_units = 0;  // 0 inches, 1 centimetres
  double m_width_inches = 0.0;  // the width the page stores

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  // Takes a width the user typed, then shows the width in `units`.
  void ShowWidthIn(int units);
};
