// The Preferences sheet: the application-wide preferences, one page per subject, opened at the
// page the caller chooses. The pages read their preferences when the sheet is built and write
// them, for the pages the user brought up, when it closes with OK.
#pragma once

#include <memory>

#include "dialogs/PageCopyImagePrefs.h"
#include "dialogs/PageFrontTopLeftPrefs.h"
#include "dialogs/PageGeneralPrefs.h"
#include "dialogs/PageGroundPrefs.h"
#include "dialogs/PageInteractivePrefs.h"
#include "dialogs/PageNewSceneCameraPrefs.h"
#include "dialogs/PageStatusBarPrefs.h"
#include "dialogs/PageUndoPrefs.h"
#include "dialogs/XPropertySheet.h"

constexpr UINT kPreferencesCaption = 10200;

// The pages in tab order: the start page a caller passes.
enum PreferencesPage : UINT {
  kPrefsGeneralPage = 0,
  kPrefsCopyImagePage = 1,
  kPrefsFrontTopLeftPage = 2,
  kPrefsGroundPage = 3,
  kPrefsInteractivePage = 4,
  kPrefsNewSceneCameraPage = 5,
  kPrefsStatusBarPage = 6,
  kPrefsUndoPage = 7,
};

class PropertySheetPreferences : public XPropertySheet {
 public:
  explicit PropertySheetPreferences(UINT startPage);
  ~PropertySheetPreferences() override;

  std::unique_ptr<PageCopyImagePrefs> m_copy_image_page;
  std::unique_ptr<PageGeneralPrefs> m_general_page;
  std::unique_ptr<PageFrontTopLeftPrefs> m_front_top_left_page;
  std::unique_ptr<PageGroundPrefs> m_ground_page;
  std::unique_ptr<PageInteractivePrefs> m_interactive_page;
  std::unique_ptr<PageNewSceneCameraPrefs> m_new_scene_camera_page;
  std::unique_ptr<PageStatusBarPrefs> m_status_bar_page;
  std::unique_ptr<PageUndoPrefs> m_undo_page;
};
