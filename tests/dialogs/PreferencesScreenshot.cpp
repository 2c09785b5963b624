// Shows the Preferences sheet at one page, with the preferences of a fresh start, and saves a
// screenshot of it; run under an X server (scripts/preferences-screenshot.sh):
//   preferences_screenshot <start page> <file.png>
#include <cstdlib>

#include "SheetScreenshot.h"
#include "core/Globals.h"
#include "dialogs/PropertySheetPreferences.h"
#include "platform/framework/MessageLoop.h"
#include "resources/ProgramResources.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <start page> <file.png>\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  RegisterProgramResources();
  InstallInputFilter();
  InitGlobals();  // the program reads them at start-up; some pages show them
  PropertySheetPreferences sheet(static_cast<UINT>(std::atoi(argv[1])));
  const std::string file = argv[2];
  return ShootSheet(sheet, file.substr(0, file.rfind(".png")), [](SheetShots& shots) { shots.Shoot(""); });
}
