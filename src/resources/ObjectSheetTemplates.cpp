// The pages of the Edit Object sheet: General (name, size, quality) and Artistic (look style,
// cartoon lines, brush and the looks of the object's parts). Rectangles are x, y, width, height in
// dialog units; controls are listed in tab order.
#include <iterator>

#include "resources/ProgramResources.h"

namespace {

constexpr DWORD kPageStyle = WS_CHILD | WS_CAPTION | DS_SETFONT;
constexpr DWORD kEdit = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kSlider = TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;
constexpr DWORD kSwatch = BS_OWNERDRAW | WS_TABSTOP;

constexpr DialogControl kGeneral[] = {
    {-1, ControlClass::Static, "Name:", 10, 10, 24, 8, SS_LEFT},
    {32842, ControlClass::Edit, "", 38, 8, 140, 14, kEdit},
    {32880, ControlClass::Button, "Edit all copies", 38, 26, 90, 10, kCheck},
    {-1, ControlClass::Button, "Size", 7, 40, 172, 84, BS_GROUPBOX},
    {-1, ControlClass::Static, "Width:", 16, 56, 26, 8, SS_LEFT},
    {32775, ControlClass::Edit, "", 46, 54, 80, 14, kEdit},
    {-1, ControlClass::Static, "m", 130, 56, 10, 8, SS_LEFT},
    {-1, ControlClass::Static, "Height:", 16, 73, 26, 8, SS_LEFT},
    {32774, ControlClass::Edit, "", 46, 71, 80, 14, kEdit},
    {-1, ControlClass::Static, "m", 130, 73, 10, 8, SS_LEFT},
    {-1, ControlClass::Static, "Depth:", 16, 90, 26, 8, SS_LEFT},
    {32773, ControlClass::Edit, "", 46, 88, 80, 14, kEdit},
    {-1, ControlClass::Static, "m", 130, 90, 10, 8, SS_LEFT},
    {32772, ControlClass::Button, "Allow distorted dimensions", 16, 108, 120, 10, kCheck},
    {1146, ControlClass::Button, "Quality", 7, 128, 172, 50, BS_GROUPBOX},
    {1147, ControlClass::Static, "Low", 14, 140, 26, 8, SS_LEFT},
    {1148, ControlClass::Static, "Faster", 14, 149, 26, 8, SS_LEFT},
    {32841, ControlClass::TrackBar, "", 42, 139, 100, 18, TBS_BOTH | WS_TABSTOP},
    {1149, ControlClass::Static, "High", 146, 140, 28, 8, SS_LEFT},
    {1150, ControlClass::Static, "Slower", 146, 149, 28, 8, SS_LEFT},
    {1151, ControlClass::Static, "Only available for photographic objects from 3D Objects window", 14, 160, 158, 16,
     SS_LEFT | WS_DISABLED},
};

constexpr DialogControl kArtistic[] = {
    {-1, ControlClass::Button, "Style", 7, 7, 100, 70, BS_GROUPBOX},
    {32852, ControlClass::Button, "Solid color", 14, 17, 80, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {32853, ControlClass::Button, "Photo", 14, 28, 80, 10, kRadio},
    {32854, ControlClass::Button, "Painted", 14, 39, 80, 10, kRadio},
    {32855, ControlClass::Button, "Very painted", 14, 50, 80, 10, kRadio},
    {32856, ControlClass::Button, "Cartoon", 14, 63, 80, 10, kCheck | WS_GROUP},
    {1181, ControlClass::Button, "Brush", 112, 7, 54, 70, BS_GROUPBOX},
    {32857, ControlClass::TrackBar, "", 118, 17, 14, 56, TBS_VERT | kSlider},
    {32864, ControlClass::Button, "", 136, 30, 26, 26, BS_OWNERDRAW},
    {1179, ControlClass::Button, "Surface lines", 171, 7, 116, 33, BS_GROUPBOX},
    {32858, ControlClass::TrackBar, "", 176, 19, 80, 14, kSlider},
    {32860, ControlClass::Button, "", 260, 18, 20, 16, kSwatch},
    {1180, ControlClass::Button, "Silhouette lines", 171, 44, 116, 33, BS_GROUPBOX},
    {32859, ControlClass::TrackBar, "", 176, 56, 80, 14, kSlider},
    {32861, ControlClass::Button, "", 260, 55, 20, 16, kSwatch},
    {-1, ControlClass::Button, "Parts", 7, 82, 280, 152, BS_GROUPBOX},
    {32862, ControlClass::ComboBox, "", 14, 94, 120, 14, CBS_DROPDOWNLIST | WS_TABSTOP},
    {32872, ControlClass::Button, "Lighted", 142, 96, 44, 10, kCheck},
    {32873, ControlClass::Button, "Smooth", 190, 96, 40, 10, kCheck},
    {32874, ControlClass::Button, "Wireframe", 234, 96, 48, 10, kCheck},
    {-1, ControlClass::Static, "Color:", 14, 116, 40, 8, SS_LEFT},
    {32866, ControlClass::TrackBar, "", 56, 114, 116, 14, kSlider},
    {32863, ControlClass::Button, "", 176, 112, 20, 18, kSwatch},
    {1223, ControlClass::Static, "Opacity:", 14, 134, 40, 8, SS_LEFT},
    {32883, ControlClass::TrackBar, "", 56, 132, 116, 14, kSlider},
    {1207, ControlClass::Static, "Glow:", 14, 152, 40, 8, SS_LEFT},
    {32867, ControlClass::TrackBar, "", 56, 150, 116, 14, kSlider},
    {32868, ControlClass::Button, "", 176, 149, 20, 16, kSwatch},
    {1178, ControlClass::Static, "Highlights:", 14, 170, 40, 8, SS_LEFT},
    {32869, ControlClass::TrackBar, "", 56, 168, 116, 14, kSlider},
    {32870, ControlClass::Button, "", 176, 167, 20, 16, kSwatch},
    {1194, ControlClass::Static, "No highlights", 10, 190, 46, 8, SS_LEFT},
    {32871, ControlClass::TrackBar, "", 56, 188, 116, 14, kSlider},
    {1195, ControlClass::Static, "Shiny", 176, 190, 24, 8, SS_LEFT},
    {1198, ControlClass::Static, "\u25b2", 95, 203, 8, 8, SS_CENTER},
    {1196, ControlClass::Static, "metallic", 84, 212, 30, 8, SS_CENTER},
    {1199, ControlClass::Static, "\u25b2", 147, 203, 8, 8, SS_CENTER},
    {1197, ControlClass::Static, "plastic", 136, 212, 30, 8, SS_CENTER},
    {1206, ControlClass::Button, "Pattern", 206, 110, 76, 118, BS_GROUPBOX},
    {32879, ControlClass::Button, "None", 212, 122, 60, 10, kRadio | WS_GROUP | WS_TABSTOP},
    {32878, ControlClass::Button, "Burned", 212, 134, 60, 10, kRadio},
    {32875, ControlClass::Button, "Psychedelic", 212, 146, 62, 10, kRadio},
    {32877, ControlClass::Edit, "", 212, 162, 40, 14, kEdit | WS_GROUP},
    {32876, ControlClass::TrackBar, "", 258, 160, 14, 62, TBS_VERT | kSlider},
};

}  // namespace

extern const DialogTemplate kObjectGeneralPage = {
    10301, "General", 186, 183, "MS Sans Serif", 8, kPageStyle, 0, kGeneral, std::size(kGeneral)};
extern const DialogTemplate kObjectArtisticPage = {
    10302, "Artistic", 294, 241, "MS Sans Serif", 8, kPageStyle, 0, kArtistic, std::size(kArtistic)};
