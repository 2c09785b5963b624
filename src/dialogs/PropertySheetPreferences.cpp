#include "dialogs/PropertySheetPreferences.h"

#include <algorithm>
#include <iterator>

namespace {

// The pages the sheet holds so far, in tab order; a start page not among them opens the one
// before it.
constexpr UINT kPagesBuilt[] = {kPrefsGeneralPage, kPrefsCopyImagePage, kPrefsFrontTopLeftPage, kPrefsGroundPage,
                                 kPrefsInteractivePage, kPrefsStatusBarPage, kPrefsUndoPage};

UINT TabOf(UINT page) {
  const auto* after = std::upper_bound(std::begin(kPagesBuilt), std::end(kPagesBuilt), page);
  return after == std::begin(kPagesBuilt) ? 0 : static_cast<UINT>(after - std::begin(kPagesBuilt) - 1);
}

}  // namespace

PropertySheetPreferences::PropertySheetPreferences(UINT startPage)
    : XPropertySheet(kPreferencesCaption, nullptr, TabOf(startPage)),
      m_copy_image_page(std::make_unique<PageCopyImagePrefs>()),
      m_general_page(std::make_unique<PageGeneralPrefs>()),
      m_front_top_left_page(std::make_unique<PageFrontTopLeftPrefs>()),
      m_ground_page(std::make_unique<PageGroundPrefs>()),
      m_interactive_page(std::make_unique<PageInteractivePrefs>()),
      m_status_bar_page(std::make_unique<PageStatusBarPrefs>()),
      m_undo_page(std::make_unique<PageUndoPrefs>()) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  AddPage(m_general_page.get());
  AddPage(m_copy_image_page.get());
  AddPage(m_front_top_left_page.get());
  AddPage(m_ground_page.get());
  AddPage(m_interactive_page.get());
  AddPage(m_status_bar_page.get());
  AddPage(m_undo_page.get());
}
