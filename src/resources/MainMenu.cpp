// The main frame's menu bar and accelerators (resource 12).
#include "platform/framework/KeyCodes.h"
#include "platform/framework/Resources.h"
#include "resources/ProgramResources.h"

namespace {

const MenuResource kMainMenu{
    12,
    {{0, 0, "&File"},
     {1, 57600, "&New\tCtrl+N"},
     {1, 57601, "&Open...\tCtrl+O"},
     {1, 57603, "&Save\tCtrl+S"},
     {1, 33029, "Save A&ll"},
     {1, 0, nullptr},
     {1, 33012, "&Import..."},
     {1, 10002, "&Export Image...\tCtrl+E"},
     {1, 0, nullptr},
     {1, 57616, "Recent File"},  // the recent scenes go here
     {1, 0, nullptr},
     {1, 57665, "E&xit"},
     {0, 0, "&Edit"},
     {1, 57643, "&Undo\tCtrl+Z"},
     {1, 57644, "&Redo\tCtrl+Y"},
     {1, 10005, "Edit &History..."},
     {1, 0, nullptr},
     {1, 57635, "Cu&t\tCtrl+X"},
     {1, 57634, "&Copy\tCtrl+C"},
     {1, 33013, "Copy &Image\tCtrl+Alt+C"},
     {1, 57637, "&Paste\tCtrl+V"},
     {1, 57632, "&Delete\tDel"},
     {1, 0, nullptr},
     {1, 33137, "Edit &Object..."},
     {1, 33120, "Edit C&amera...\tCtrl+M"},
     {1, 10001, "Edit &Lights..."},
     {1, 0, nullptr},
     {1, 33129, "Pre&ferences..."},
     {0, 0, "&View"},
     {1, 59393, "&Status Bar\tCtrl+Alt+S"},
     {1, 33124, "&Beginner Toolbar\tCtrl+Alt+B"},
     {1, 59392, "&Main Toolbar\tCtrl+Alt+M"},
     {1, 33121, "&Interactive Toolbar\tCtrl+Alt+I"},
     {1, 33122, "&Advanced Toolbar\tCtrl+Alt+A"},
     {1, 33123, "File Toolbar\tCtrl+Alt+F"},
     {1, 0, nullptr},
     {1, 32986, "&Float All"},
     {1, 32987, "&Reset All"},
     {0, 0, "&Window"},
     {1, 33020, "&New\tCtrl+W"},
     {1, 33021, "&Close\tCtrl+F4"},
     {1, 0, nullptr},
     {1, 33018, "&Tile Horizontal\tCtrl+T"},
     {1, 33019, "Tile &Vertical"},
     {1, 33025, "&Arrange Icons"},
     {1, 0, nullptr},
     {1, 33125, "&3D Objects\tCtrl+J"},
     {1, 33014, "Improve Camera Image\tCtrl+Q"},
     {0, 0, "&Help"},
     {1, 57671, "&Topics..."},
     {1, 33016, "S&upport..."}}};

constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
constexpr BYTE kCtrlAlt = FVIRTKEY | FCONTROL | FALT;

const AcceleratorResource kMainAccelerators{12,
                                            {{kCtrl, 'N', 57600},
                                             {kCtrl, 'O', 57601},
                                             {kCtrl, 'S', 57603},
                                             {kCtrl, 'Z', 57643},
                                             {kCtrl, 'Y', 57644},
                                             {kCtrl, 'X', 57635},
                                             {kCtrl, 'C', 57634},
                                             {kCtrl, 'V', 57637},
                                             {FVIRTKEY, VK_DELETE, 57632},
                                             {kCtrlAlt, 'S', 59393},
                                             {kCtrlAlt, 'B', 33124},
                                             {kCtrlAlt, 'M', 59392},
                                             {kCtrlAlt, 'I', 33121},
                                             {kCtrlAlt, 'A', 33122},
                                             {kCtrlAlt, 'F', 33123},
                                             {kCtrl, 'T', 33018},
                                             {kCtrl, 'W', 33020},
                                             {kCtrl, 'J', 33125},
                                             {kCtrl, 'E', 10002},
                                             {kCtrlAlt, 'C', 33013},
                                             {kCtrl, 'Q', 33014},
                                             {kCtrl, 'M', 33120},
                                             {FVIRTKEY, VK_F1, 57670}}};

}  // namespace

void RegisterMainMenuResources() {
  AddMenuResource(&kMainMenu);
  AddAcceleratorResource(&kMainAccelerators);
}
