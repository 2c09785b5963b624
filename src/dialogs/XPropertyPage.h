// The base of every property page: its own prompt for smart help, whether the user brought it up,
// and a guarded data exchange.
#pragma once

#include "platform/framework/PropertySheet.h"

class XPropertyPage : public CPropertyPage {
  DECLARE_DYNAMIC(XPropertyPage)

 public:
  explicit XPropertyPage(UINT templateId);

  BOOL OnInitDialog() override;
  BOOL UpdateDataGuarded(BOOL saveAndValidate);

  BOOL m_initialized = FALSE;  // the page's window was made: the user brought it up
  bool m_updatingData = false;
  UINT m_promptId;
};
