// The dialog templates, by id. Controls are listed in creation order, which is also their tab
// order; rectangles are x, y, width, height in dialog units.
#include <iterator>

#include "resources/CameraDialogTemplates.h"
#include "resources/ProgramResources.h"

namespace {

constexpr DWORD kFrame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
constexpr DWORD kEdit = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kVerticalTrackBar = TBS_VERT | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

// Edit Lights.
constexpr DialogControl kEditLights[] = {
    {-1, ControlClass::Button, "Shadows", 7, 7, 42, 142, BS_GROUPBOX},
    {32768, ControlClass::TrackBar, "", 23, 21, 12, 100, kVerticalTrackBar},
    {32843, ControlClass::Button, "", 20, 124, 16, 14, BS_OWNERDRAW | WS_TABSTOP},
    {-1, ControlClass::Button, "Sun", 56, 7, 42, 142, BS_GROUPBOX},
    {32769, ControlClass::TrackBar, "", 72, 21, 12, 100, kVerticalTrackBar},
    {32844, ControlClass::Button, "", 69, 124, 16, 14, BS_OWNERDRAW},
    {-1, ControlClass::Button, "Time of Day", 105, 7, 80, 143, BS_GROUPBOX},
    {32770, ControlClass::TrackBar, "", 139, 21, 12, 100, kVerticalTrackBar},
    {32771, ControlClass::Edit, "", 115, 124, 60, 14, kEdit | ES_READONLY},
    {1, ControlClass::Button, "OK", 11, 165, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {2, ControlClass::Button, "Cancel", 71, 165, 50, 14, kPush},
    {2002, ControlClass::Button, "Help", 131, 165, 50, 14, kPush},
};

// Export Image.
constexpr DialogControl kExportImage[] = {
    {-1, ControlClass::Static, "Width:", 9, 9, 22, 8, SS_LEFT},
    {32819, ControlClass::Edit, "", 34, 7, 30, 14, kEdit},
    {-1, ControlClass::Static, "pixels", 66, 10, 18, 8, SS_LEFT},
    {-1, ControlClass::Static, "Height:", 7, 27, 23, 8, SS_LEFT},
    {32820, ControlClass::Edit, "", 33, 24, 30, 14, kEdit},
    {-1, ControlClass::Static, "pixels", 66, 27, 18, 8, SS_LEFT},
    {32821, ControlClass::Button, "Improve image quality", 98, 19, 81, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {1, ControlClass::Button, "OK", 9, 49, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {2, ControlClass::Button, "Cancel", 68, 49, 50, 14, kPush},
    {2002, ControlClass::Button, "Help", 127, 49, 50, 14, kPush},
};

// Preferences: General.
constexpr DialogControl kGeneralPrefs[] = {
    {-1, ControlClass::Static, "&Recent scenes:", 10, 12, 52, 8, SS_LEFT},
    {32798, ControlClass::Edit, "", 64, 10, 30, 14, kEdit},
    {32865, ControlClass::Button, "Always improve camera image color quality", 10, 34, 200, 10,
     BS_AUTOCHECKBOX | WS_TABSTOP},
};

// Preferences: Undo.
constexpr DialogControl kUndoPrefs[] = {
    {-1, ControlClass::Button, "Active scene", 7, 7, 216, 44, BS_GROUPBOX},
    {-1, ControlClass::Static, "Max undo edits:", 15, 25, 54, 8, SS_LEFT},
    {32801, ControlClass::Edit, "", 71, 22, 60, 14, kEdit | ES_NUMBER},
    {32803, ControlClass::Button, "Save Edit History", 141, 24, 76, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {-1, ControlClass::Button, "New scenes", 7, 58, 216, 44, BS_GROUPBOX},
    {-1, ControlClass::Static, "Max undo edits:", 15, 76, 54, 8, SS_LEFT},
    {32800, ControlClass::Edit, "", 71, 73, 60, 14, kEdit | ES_NUMBER},
    {32802, ControlClass::Button, "Save Edit History", 141, 75, 76, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
};

// Preferences: Copy Image.
constexpr DialogControl kCopyImagePrefs[] = {
    {32847, ControlClass::Button, "Always improve image quality", 10, 8, 150, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {32851, ControlClass::Button, "Don't use dots per inch", 10, 24, 150, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {-1, ControlClass::Static, "Resolution:", 22, 42, 40, 8, SS_LEFT},
    {32848, ControlClass::Edit, "", 64, 40, 36, 14, kEdit},
    {-1, ControlClass::Static, "dpi", 104, 42, 16, 8, SS_LEFT},
    {-1, ControlClass::Static, "Please measure the width of your computer's display and enter it here:", 8, 64, 220, 8,
     SS_LEFT},
    {32849, ControlClass::Edit, "", 10, 77, 50, 14, kEdit},
    {32850, ControlClass::ComboBox, "", 64, 77, 32, 14, CBS_DROPDOWNLIST | WS_TABSTOP},
};

// Edit History.
constexpr DialogControl kEditHistory[] = {
    {32780, ControlClass::ListBox, "", 8, 8, 280, 204,
     LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP},
    {1063, ControlClass::Static, "&Comment:", 8, 225, 36, 8, SS_LEFT},
    {32781, ControlClass::Edit, "", 46, 222, 240, 14, kEdit},
    {32782, ControlClass::Button, "Undo To", 296, 8, 52, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {32808, ControlClass::Button, "Close", 296, 26, 52, 14, kPush},
    {32784, ControlClass::Button, "&Prev Range", 296, 50, 52, 14, kPush | WS_DISABLED},
    {32785, ControlClass::Button, "&Next Range", 296, 68, 52, 14, kPush | WS_DISABLED},
    {32786, ControlClass::Button, "Pre&ferences...", 296, 92, 52, 14, kPush},
    {2002, ControlClass::Button, "Help", 296, 116, 52, 14, kPush},
};

// About: the picture, with the version line over its bottom left.
constexpr DialogControl kAbout[] = {
    {1, ControlClass::Static, "#168", 0, 0, 400, 218, SS_BITMAP},
    {1219, ControlClass::Static, "", 7, 199, 153, 11, SS_CENTER | WS_GROUP},
};

// Preferences: Front, Top, Left.
constexpr DialogControl kFrontTopLeftPrefs[] = {
    {32813, ControlClass::Button, "Always show entire scene full centered", 10, 10, 200, 10,
     BS_AUTOCHECKBOX | WS_TABSTOP},
};

constexpr DWORD kTrackBar = TBS_NOTICKS | WS_TABSTOP;
constexpr DWORD kTickedTrackBar = WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;

// Preferences: Status Bar.
constexpr DialogControl kStatusBarPrefs[] = {
    {-1, ControlClass::Static, "Fast", 10, 15, 20, 8, SS_LEFT},
    {32814, ControlClass::TrackBar, "", 32, 10, 150, 18, kTrackBar},
    {-1, ControlClass::Static, "Slow", 186, 15, 20, 8, SS_LEFT},
    {32815, ControlClass::Button, "Blink", 10, 38, 60, 10, kCheck},
    {32816, ControlClass::Button, "Expand", 10, 54, 60, 10, kCheck},
};

// Preferences: Ground.
constexpr DialogControl kGroundPrefs[] = {
    {-1, ControlClass::Button, "Grid Lines", 7, 7, 216, 36, BS_GROUPBOX},
    {-1, ControlClass::Static, "None", 15, 23, 20, 8, SS_LEFT},
    {32822, ControlClass::TrackBar, "", 38, 19, 150, 16, kTrackBar},
    {-1, ControlClass::Static, "Many", 192, 23, 24, 8, SS_LEFT},
    {32824, ControlClass::Button, "50% transparent", 10, 52, 100, 10, kCheck},
    {-1, ControlClass::Static, "Color", 10, 71, 22, 8, SS_LEFT},
    {32823, ControlClass::Button, "", 34, 68, 24, 14, BS_OWNERDRAW | WS_TABSTOP},
    {32825, ControlClass::Button, "Track scene dimensions", 10, 90, 120, 10, kCheck},
};

// Preferences: Interactive.
constexpr DialogControl kInteractivePrefs[] = {
    {-1, ControlClass::Button, "Object Quality", 7, 7, 216, 52, BS_GROUPBOX},
    {-1, ControlClass::Static, "Low", 13, 19, 26, 8, SS_LEFT},
    {-1, ControlClass::Static, "Faster", 13, 28, 26, 8, SS_LEFT},
    {32817, ControlClass::TrackBar, "", 40, 18, 140, 20, kTickedTrackBar},
    {-1, ControlClass::Static, "High", 184, 19, 30, 8, SS_LEFT},
    {-1, ControlClass::Static, "Slower", 184, 28, 30, 8, SS_LEFT},
    {32818, ControlClass::Button, "256 colors", 13, 44, 60, 10, kCheck},
    {-1, ControlClass::Static, "Minimum Updates:", 7, 65, 70, 8, SS_LEFT},
    {32804, ControlClass::TrackBar, "", 7, 75, 104, 20, kTickedTrackBar},
    {-1, ControlClass::Static, "0", 9, 96, 10, 8, SS_LEFT},
    {-1, ControlClass::Static, "24", 101, 96, 10, 8, SS_LEFT},
    {-1, ControlClass::Static, "Maximum Updates:", 119, 65, 70, 8, SS_LEFT},
    {32805, ControlClass::TrackBar, "", 119, 75, 104, 20, kTickedTrackBar},
    {-1, ControlClass::Static, "1", 121, 96, 10, 8, SS_LEFT},
    {-1, ControlClass::Static, "64", 213, 96, 10, 8, SS_LEFT},
    {-1, ControlClass::Button, "Rotate Object and Rotate Camera Around", 7, 108, 216, 26, BS_GROUPBOX},
    {32794, ControlClass::Button, "Track drag on object", 15, 119, 120, 10, kCheck},
    {-1, ControlClass::Button, "Rotate Object About cylinder", 7, 138, 216, 46, BS_GROUPBOX},
    {-1, ControlClass::Static, "Thin", 15, 152, 18, 8, SS_LEFT},
    {32795, ControlClass::TrackBar, "", 34, 149, 90, 14, kTrackBar},
    {-1, ControlClass::Static, "Thick", 126, 152, 22, 8, SS_LEFT},
    {32796, ControlClass::Button, "50% transparent", 15, 168, 80, 10, kCheck},
    {-1, ControlClass::Static, "Color:", 158, 152, 24, 8, SS_LEFT},
    {32797, ControlClass::Button, "", 184, 149, 24, 14, BS_OWNERDRAW | WS_TABSTOP},
    {-1, ControlClass::Button, "Push/Pull Object and Move Object Along Sight", 7, 188, 216, 26, BS_GROUPBOX},
    {32793, ControlClass::Button, "Move parallel to camera forward", 15, 199, 150, 10, kCheck},
};

template <std::size_t N>
constexpr DialogTemplate MakePage(UINT id, const char* caption, const DialogControl (&controls)[N]) {
  return {id, caption, 230, 110, "MS Sans Serif", 8, WS_CHILD | WS_CAPTION | DS_SETFONT, 0, controls, N};
}

template <std::size_t N>
constexpr DialogTemplate Make(UINT id, const char* caption, short cx, short cy, const DialogControl (&controls)[N]) {
  return {id, caption, cx, cy, "MS Sans Serif", 8, kFrame, WS_EX_CONTEXTHELP, controls, N};
}

constexpr DialogTemplate kEditLightsDialog = Make(10001, "Edit Lights", 192, 186, kEditLights);
constexpr DialogTemplate kExportImageDialog = Make(10002, "Export Image", 186, 70, kExportImage);
constexpr DialogTemplate kGeneralPrefsPage = MakePage(10201, "General", kGeneralPrefs);
constexpr DialogTemplate kUndoPrefsPage = MakePage(10202, "Undo", kUndoPrefs);
constexpr DialogTemplate kCopyImagePrefsPage = MakePage(10209, "Copy Image", kCopyImagePrefs);
constexpr DialogTemplate kAboutDialog = {10008, "", 400, 217, "Small Fonts", 7,
                                         WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_CENTER | DS_SETFONT,
                                         WS_EX_CONTEXTHELP, kAbout, std::size(kAbout)};
constexpr DialogTemplate kEditHistoryDialog = Make(10005, "Edit History", 355, 246, kEditHistory);
constexpr DialogTemplate kFrontTopLeftPrefsPage = MakePage(10204, "Front, Top, Left", kFrontTopLeftPrefs);
constexpr DialogTemplate kStatusBarPrefsPage = MakePage(10205, "Status Bar", kStatusBarPrefs);
constexpr DialogTemplate kGroundPrefsPage = MakePage(10207, "Ground", kGroundPrefs);
constexpr DialogTemplate kInteractivePrefsPage = {
    10203, "Interactive", 230, 220, "MS Sans Serif", 8, WS_CHILD | WS_CAPTION | DS_SETFONT, 0, kInteractivePrefs,
    std::size(kInteractivePrefs)};

}  // namespace

// The pages of the Edit Object sheet (ObjectSheetTemplates.cpp).
extern const DialogTemplate kObjectGeneralPage;
extern const DialogTemplate kObjectArtisticPage;

const DialogTemplate* const kDialogTemplates[] = {&kEditLightsDialog, &kExportImageDialog, &kGeneralPrefsPage,
                                                   &kUndoPrefsPage, &kCopyImagePrefsPage,
                                                   &kFrontTopLeftPrefsPage, &kStatusBarPrefsPage,
                                                   &kGroundPrefsPage, &kInteractivePrefsPage,
                                                   &kEditHistoryDialog, &kAboutDialog,
                                                   // The camera pages.
                                                   &kNewSceneCameraPrefsPage, &kEditCameraGeneralPage,
                                                   &kEditCameraLensPage, &kEditCameraFocusPage,
                                                   // The object pages.
                                                   &kObjectGeneralPage, &kObjectArtisticPage};
const std::size_t kDialogTemplateCount = std::size(kDialogTemplates);
