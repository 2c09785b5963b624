// Entry point: the program's resources, the camera window's class and the dialogs the camera
// windows ask through first, then the application object, which brings the program up and runs it.
#include "dialogs/DialogExportImage.h"
#include "platform/framework/WinApp.h"
#include "resources/ProgramResources.h"
#include "shell/DocTemplates.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

int main(int argc, char** argv) {
  RegisterProgramResources();
  RegisterCameraViewClass(RUNTIME_CLASS(X3DView));
  SetExportImageQuestion(&AskExportImageWithDialog);
  XApp app;
  return AfxWinMain(argc, argv);
}
