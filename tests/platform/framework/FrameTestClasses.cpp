#include "FrameTestClasses.h"

#include <iterator>

#include "platform/win/StringResources.h"

#include "platform/framework/KeyCodes.h"

std::vector<std::string> routeLog;

IMPLEMENT_DYNCREATE(TestView, CView)
IMPLEMENT_DYNCREATE(TestDocument, CDocument)
IMPLEMENT_DYNCREATE(TestChild, CMDIChildWnd)
IMPLEMENT_DYNCREATE(TestMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(TestView, CView)
  ON_COMMAND(kForView, OnCommandForView)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TestDocument, CDocument)
  ON_COMMAND_RANGE(kForView, kForDocument, OnRouted)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TestChild, CMDIChildWnd)
  ON_WM_MDIACTIVATE()
  ON_COMMAND_RANGE(kForView, kForChild, OnRouted)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TestMainFrame, CMDIFrameWnd)
  ON_COMMAND_RANGE(kForView, kForMainFrame, OnRouted)
  ON_COMMAND_RANGE(kGuarded, kRenamed, OnRouted)
  ON_UPDATE_COMMAND_UI(kGuarded, OnUpdateGuarded)
  ON_UPDATE_COMMAND_UI(kChecked, OnUpdateChecked)
  ON_UPDATE_COMMAND_UI(kRadio, OnUpdateRadio)
  ON_UPDATE_COMMAND_UI(kRenamed, OnUpdateRenamed)
  ON_COMMAND_RANGE(kToolUndo, kToolRedo, OnRouted)
  ON_UPDATE_COMMAND_UI(kToolRedo, OnUpdateRedo)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
  ON_COMMAND_RANGE(kForView, kForApp, OnRouted)
END_MESSAGE_MAP()

void RegisterFrameworkTestStrings() {
  static const StringResource kFrameworkTestStrings[] = {
      {14, "\n\nNote File\nNote files (*.tvr)\n.tvr\nNote_File\nNote File"},
      {57344, "Tavrolin"},
      {57345, " Ready"},
      {57600, "Create a new document\nNew"},
      {57643, "Undo the previous edit\nUndo"},
      {57644, "Redo the previous undone edit\nRedo"},
      {61697, "Failed to open document."},
      {61700, "Failed to create empty document."},
      {61702, "Failed to save document."},
      {61703, "Save changes to %1?"},
      {61704, "Untitled"},
  };
  RegisterStringResources(kFrameworkTestStrings, std::size(kFrameworkTestStrings));
}

void RegisterTestResources() {
  RegisterFrameworkTestStrings();
  static const MenuResource menu{kMainResource,
                                 {{0, 0, "&File"},
                                  {1, ID_FILE_NEW, "&New\tCtrl+N"},
                                  {1, 0, nullptr},
                                  {1, ID_FILE_MRU_FILE1, "Recent File"},
                                  {1, ID_APP_EXIT, "E&xit"},
                                  {0, 0, "&Edit"},
                                  {1, kGuarded, "&Guarded\tCtrl+G"},
                                  {1, kChecked, "&Checked"},
                                  {1, kRadio, "R&adio"},
                                  {1, kRenamed, "&Original"},
                                  {0, 0, "&Window"},
                                  {1, ID_WINDOW_CASCADE, "&Cascade"},
                                  {1, ID_WINDOW_TILE_HORZ, "&Tile"},
                                  {1, ID_WINDOW_TILE_VERT, "Tile &Vertical"}}};
  static const AcceleratorResource accelerators{kMainResource,
                                                {{FVIRTKEY | FCONTROL, 'G', kGuarded},
                                                 {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
                                                 {FVIRTKEY | FCONTROL, VK_OEM_PLUS, kForView}}};
  // Two buttons, 16 x 15 pixels each: a left arrow and a right arrow.
  static const char* const pictures[] = {
      "32 15 2 1", ". c None", "# c #000080",
      "................................", "................................", "......#...................#.....",
      ".....##...................##....", "....###...................###...", "...##########.....##########....",
      "..###########.....###########...", ".############.....############..", "..###########.....###########...",
      "...##########.....##########....", "....###...................###...", ".....##...................##....",
      "......#...................#.....", "................................", "................................"};
  static const ToolBarResource toolBar{kMainResource, 16, 15, {kToolUndo, 0, kToolRedo}, pictures};
  AddToolBarResource(&toolBar);
  // The main frame's icon: a blue square.
  static const char* const square[] = {"4 4 1 1", ". c #2050C0", "....", "....", "....", "...."};
  static const IconResource icon{kMainResource, square};
  AddIconResource(&icon);
  AddMenuResource(&menu);
  AddAcceleratorResource(&accelerators);
}
