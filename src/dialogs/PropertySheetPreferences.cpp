#include "dialogs/PropertySheetPreferences.h"

#include <algorithm>

namespace {

// A start page past the last tab opens the last one.
UINT TabOf(UINT page) { return std::min(page, static_cast<UINT>(kPrefsUndoPage)); }

}  // namespace

PropertySheetPreferences::PropertySheetPreferences(UINT startPage)
    : XPropertySheet(kPreferencesCaption, nullptr, TabOf(startPage)),
      m_copy_image_page(std::make_unique<PageCopyImagePrefs>()),
      m_general_page(std::make_unique<PageGeneralPrefs>()),
      m_front_top_left_page(std::make_unique<PageFrontTopLeftPrefs>()),
      m_ground_page(std::make_unique<PageGroundPrefs>()),
      m_interactive_page(std::make_unique<PageInteractivePrefs>()),
      m_new_scene_camera_page(std::make_unique<PageNewSceneCameraPrefs>()),
      m_status_bar_page(std::make_unique<PageStatusBarPrefs>()),
      m_undo_page(std::make_unique<PageUndoPrefs>()) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  AddPage(m_general_page.get());
  AddPage(m_copy_image_page.get());
  AddPage(m_front_top_left_page.get());
  AddPage(m_ground_page.get());
  AddPage(m_interactive_page.get());
  AddPage(m_new_scene_camera_page.get());
  AddPage(m_status_bar_page.get());
  AddPage(m_undo_page.get());
}

// The pages go in tab order, before the sheet.
PropertySheetPreferences::~PropertySheetPreferences() {
  m_general_page.reset();
  m_copy_image_page.reset();
  m_front_top_left_page.reset();
  m_ground_page.reset();
  m_interactive_page.reset();
  m_new_scene_camera_page.reset();
  m_status_bar_page.reset();
  m_undo_page.reset();
}
