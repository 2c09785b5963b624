#include "dialogs/PropertySheetPreferences.h"

PropertySheetPreferences::PropertySheetPreferences(UINT startPage)
    : XPropertySheet(kPreferencesCaption, nullptr, startPage),
      m_general_page(std::make_unique<PageGeneralPrefs>()),
      m_undo_page(std::make_unique<PageUndoPrefs>()) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  AddPage(m_general_page.get());
  AddPage(m_undo_page.get());
}
