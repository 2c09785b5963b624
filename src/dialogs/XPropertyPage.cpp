#include "dialogs/XPropertyPage.h"

#include "core/Guards.h"

IMPLEMENT_DYNAMIC(XPropertyPage, CPropertyPage)

XPropertyPage::XPropertyPage(UINT templateId) : CPropertyPage(templateId), m_promptId(templateId) {}

BOOL XPropertyPage::OnInitDialog() {
  m_initialized = TRUE;
  CDialog::OnInitDialog();
  return TRUE;
}

BOOL XPropertyPage::UpdateDataGuarded(BOOL saveAndValidate) {
  return XUpdateDataGuarded(*this, m_updatingData, saveAndValidate);
}
