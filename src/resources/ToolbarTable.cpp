// The main frame's five toolbars: their buttons in order (0 is a separator) and the button
// pictures drawn by make_images.
#include "platform/framework/Resources.h"
#include "resources/ProgramResources.h"

extern const char* const kToolbar161[];
extern const char* const kToolbar153[];
extern const char* const kToolbar12[];
extern const char* const kToolbar7[];
extern const char* const kToolbar9[];
extern const char* const kToolbar127[];

namespace {

const std::vector<UINT> kBeginnerButtons{57643, 57644, 0,     10302, 10001, 33125, 0,     33014, 0,     33128,
                                         33066, 33065, 33071, 33060, 0,     33106, 33110, 33118};

const ToolBarResource kToolbars[] = {
    {161, 32, 29, kBeginnerButtons, kToolbar161},
    {153, 40, 34, kBeginnerButtons, kToolbar153},
    {12, 16, 15, {57635, 57634, 57637, 57632, 0, 57643, 10005, 57644, 0, 33137, 33120, 10001, 0, 32991, 32992, 33014},
     kToolbar12},
    {7, 19, 17, {33125, 33086, 33126, 0, 33128, 33066, 33081, 33065, 33071, 0, 33061, 33060, 33127, 33063, 33072},
     kToolbar7},
    {9, 19, 17, {33028, 0, 33090, 33094, 33100, 33099, 0, 33091, 33119, 33098, 0, 33106, 33110, 33118, 0, 33131},
     kToolbar9},
    {127, 16, 15, {57600, 57601, 57603, 33029, 33012, 33136}, kToolbar127},
};

}  // namespace

void RegisterToolbarResources() {
  for (const ToolBarResource& toolbar : kToolbars) AddToolBarResource(&toolbar);
}
