// The General page of the Preferences sheet: how many recent scenes the File menu lists, and
// whether camera images are always improved in colour quality.
#pragma once

#include "dialogs/XPropertyPage.h"

constexpr UINT kGeneralPrefsTemplate = 10201;

class PageGeneralPrefs : public XPropertyPage {
 public:
  PageGeneralPrefs();

  void OnOK() override;

  UINT m_recent = 0;
  int m_dither_always = FALSE;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
