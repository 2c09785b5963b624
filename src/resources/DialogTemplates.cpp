// The dialog templates, by id. Controls are listed in creation order, which is also their tab
// order; rectangles are x, y, width, height in dialog units.
#include <iterator>

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

template <std::size_t N>
constexpr DialogTemplate Make(UINT id, const char* caption, short cx, short cy, const DialogControl (&controls)[N]) {
  return {id, caption, cx, cy, "MS Sans Serif", 8, kFrame, WS_EX_CONTEXTHELP, controls, N};
}

constexpr DialogTemplate kEditLightsDialog = Make(10001, "Edit Lights", 192, 186, kEditLights);
constexpr DialogTemplate kExportImageDialog = Make(10002, "Export Image", 186, 70, kExportImage);

}  // namespace

const DialogTemplate* const kDialogTemplates[] = {&kEditLightsDialog, &kExportImageDialog};
const std::size_t kDialogTemplateCount = std::size(kDialogTemplates);
