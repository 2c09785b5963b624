#include "dialogs/PropertySheetPreferences.h"

#include <algorithm>
#include <iterator>

namespace {

// The pages the sheet holds so far, in tab order; a start page not among them opens the one
// before it.
constexpr UINT kPagesBuilt[] = {kPrefsGeneralPage, kPrefsCopyImagePage, kPrefsNewSceneCameraPage, kPrefsUndoPage};

UINT TabOf(UINT page) {
  const auto* after = std::upper_bound(std::begin(kPagesBuilt), std::end(kPagesBuilt), page);
  return after == std::begin(kPagesBuilt) ? 0 : static_cast<UINT>(after - std::begin(kPagesBuilt) - 1);
}

}  // namespace

PropertySheetPreferences::PropertySheetPreferences(UINT startPage)
    : XPropertySheet(kPreferencesCaption, nullptr, TabOf(startPage)),
      m_copy_image_page(std::make_unique<PageCopyImagePrefs>()),
      m_general_page(std::make_unique<PageGeneralPrefs>()),
      m_new_scene_camera_page(std::make_unique<PageNewSceneCameraPrefs>()),
      m_undo_page(std::make_unique<PageUndoPrefs>()) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  AddPage(m_general_page.get());
  AddPage(m_copy_image_page.get());
  AddPage(m_new_scene_camera_page.get());
  AddPage(m_undo_page.get());
}
