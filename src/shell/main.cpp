// Entry point: the program's resources and the dialogs the camera windows ask through first, then
// the application object, which brings the program up and runs it.
#include "dialogs/DialogExportImage.h"
#include "platform/framework/WinApp.h"
#include "resources/ProgramResources.h"
#include "shell/XApp.h"

int main(int argc, char** argv) {
  RegisterProgramResources();
  SetExportImageQuestion(&AskExportImageWithDialog);
  XApp app;
  return AfxWinMain(argc, argv);
}
