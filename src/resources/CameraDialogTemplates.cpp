// The camera pages. Group boxes come before the controls they hold, so that the controls lie on
// top of them.
#include "resources/CameraDialogTemplates.h"

#include <iterator>

namespace {

constexpr DWORD kEdit = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kTrackBar = TBS_NOTICKS | WS_TABSTOP;

constexpr DialogControl kGeneral[] = {
    {-1, ControlClass::Static, "Type:", 7, 9, 22, 8, SS_LEFT},
    {32826, ControlClass::ComboBox, "", 32, 7, 80, 14, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {-1, ControlClass::Button, "Background", 7, 28, 172, 68, BS_GROUPBOX},
    {1144, ControlClass::Static, "Color:", 15, 44, 24, 8, SS_LEFT},
    {32827, ControlClass::Button, "", 42, 40, 30, 16, BS_OWNERDRAW | WS_TABSTOP},
    {32838, ControlClass::Button, "Use image", 100, 43, 60, 10, kCheck},
    {1143, ControlClass::Static, "Image:", 15, 64, 24, 8, SS_LEFT},
    {32839, ControlClass::Edit, "", 42, 61, 130, 14, kEdit | ES_READONLY},
    {32840, ControlClass::Button, "Browse...", 122, 78, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

constexpr DialogControl kLens[] = {
    {1139, ControlClass::Static, "Wide Angle", 7, 10, 40, 8, SS_LEFT},
    {32828, ControlClass::TrackBar, "", 48, 7, 90, 14, kTrackBar},
    {1140, ControlClass::Static, "Zoomed", 142, 10, 36, 8, SS_LEFT},
    {32830, ControlClass::Button, "Perspective", 7, 33, 60, 10, kCheck},
    {32829, ControlClass::Edit, "", 90, 31, 50, 14, kEdit},
    {1141, ControlClass::Static, "mm", 144, 34, 16, 8, SS_LEFT},
};

constexpr DialogControl kFocus[] = {
    {32830, ControlClass::Button, "Perspective", 7, 7, 60, 10, kCheck},
    {1133, ControlClass::Static, "Blurrier", 7, 28, 30, 8, SS_LEFT},
    {32831, ControlClass::TrackBar, "", 38, 25, 80, 14, kTrackBar},
    {1134, ControlClass::Static, "Perfect Clarity", 121, 28, 58, 8, SS_LEFT},
    {1135, ControlClass::Static, "Distance:", 7, 49, 32, 8, SS_LEFT},
    {32833, ControlClass::Edit, "", 40, 47, 46, 14, kEdit},
    {1136, ControlClass::Static, "m", 89, 49, 8, 8, SS_LEFT},
    {1137, ControlClass::Static, "f-stop:  f/", 102, 49, 36, 8, SS_LEFT},
    {32832, ControlClass::Edit, "", 139, 47, 40, 14, kEdit},
    {1130, ControlClass::Button, "Auto Focus Object", 7, 68, 172, 80, BS_GROUPBOX},
    {32834, ControlClass::Button, "Auto Focus Object", 15, 81, 90, 10, kCheck},
    {32835, ControlClass::Button, "Auto f-stop", 27, 95, 90, 10, kCheck},
    {32836, ControlClass::Button, "Depth cue enhanced", 27, 109, 100, 10, kCheck},
    {1138, ControlClass::Static, "Depth cue enhanced sensitivity:", 27, 127, 106, 8, SS_LEFT},
    {32837, ControlClass::Edit, "", 136, 124, 30, 14, kEdit},
};

constexpr DialogControl kNewScene[] = {
    {-1, ControlClass::Static, "Background color:", 7, 10, 62, 8, SS_LEFT},
    {32827, ControlClass::Button, "", 72, 6, 30, 16, BS_OWNERDRAW | WS_TABSTOP},
    {-1, ControlClass::Button, "Lens", 7, 26, 172, 48, BS_GROUPBOX},
    {1139, ControlClass::Static, "Wide Angle", 13, 40, 40, 8, SS_LEFT},
    {32828, ControlClass::TrackBar, "", 52, 37, 84, 14, kTrackBar},
    {1140, ControlClass::Static, "Zoomed", 140, 40, 36, 8, SS_LEFT},
    {32830, ControlClass::Button, "Perspective", 13, 58, 60, 10, kCheck},
    {32829, ControlClass::Edit, "", 90, 56, 50, 14, kEdit},
    {1141, ControlClass::Static, "mm", 144, 59, 16, 8, SS_LEFT},
    {1132, ControlClass::Button, "Focus", 7, 78, 172, 124, BS_GROUPBOX},
    {1133, ControlClass::Static, "Blurrier", 13, 93, 30, 8, SS_LEFT},
    {32831, ControlClass::TrackBar, "", 42, 90, 76, 14, kTrackBar},
    {1134, ControlClass::Static, "Perfect Clarity", 120, 93, 56, 8, SS_LEFT},
    {1135, ControlClass::Static, "Distance:", 13, 113, 32, 8, SS_LEFT},
    {32833, ControlClass::Edit, "", 46, 111, 42, 14, kEdit},
    {1136, ControlClass::Static, "m", 91, 113, 8, 8, SS_LEFT},
    {1137, ControlClass::Static, "f-stop:  f/", 102, 113, 36, 8, SS_LEFT},
    {32832, ControlClass::Edit, "", 139, 111, 34, 14, kEdit},
    {1130, ControlClass::Button, "Auto Focus Object", 13, 130, 160, 68, BS_GROUPBOX},
    {32834, ControlClass::Button, "Auto Focus Object", 19, 142, 90, 10, kCheck},
    {32835, ControlClass::Button, "Auto f-stop", 31, 155, 90, 10, kCheck},
    {32836, ControlClass::Button, "Depth cue enhanced", 31, 168, 100, 10, kCheck},
    {1138, ControlClass::Static, "Depth cue enhanced sensitivity:", 31, 183, 104, 8, SS_LEFT},
    {32837, ControlClass::Edit, "", 137, 180, 30, 14, kEdit},
};

template <std::size_t N>
constexpr DialogTemplate MakePage(UINT id, const char* caption, short cx, short cy,
                                  const DialogControl (&controls)[N]) {
  return {id, caption, cx, cy, "MS Sans Serif", 8, WS_CHILD | WS_CAPTION | DS_SETFONT, 0, controls, N};
}

}  // namespace

const DialogTemplate kNewSceneCameraPrefsPage = MakePage(10208, "New Scene Camera", 186, 207, kNewScene);
const DialogTemplate kEditCameraGeneralPage = MakePage(10251, "General", 186, 103, kGeneral);
const DialogTemplate kEditCameraLensPage = MakePage(10252, "Lens", 186, 53, kLens);
const DialogTemplate kEditCameraFocusPage = MakePage(10253, "Focus", 186, 154, kFocus);
