// Shows the Preferences sheet at one page on the screen and saves a screenshot of it:
//   preferences_screenshot <start page> <file.png>
// Run under an X server (scripts/preferences-screenshot.sh starts one). The pages show the
// preferences of a fresh start, as the program's sheet does.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

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
  bool saved = false;
  QTimer::singleShot(700, [&] {
    QWidget* window = QApplication::activeModalWidget();
    if (window) saved = window->screen()->grabWindow(window->winId()).save(QString::fromLocal8Bit(argv[2]));
    sheet.EndDialog(IDCANCEL);
  });
  sheet.DoModal();
  return saved ? 0 : 1;
}
