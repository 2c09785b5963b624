// Entry point: the program's resources and the camera window's class first, then the application
// object, which brings the program up and runs it.
#include "platform/framework/WinApp.h"
#include "resources/ProgramResources.h"
#include "shell/DocTemplates.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

int main(int argc, char** argv) {
  RegisterProgramResources();
  RegisterCameraViewClass(RUNTIME_CLASS(X3DView));
  XApp app;
  return AfxWinMain(argc, argv);
}
