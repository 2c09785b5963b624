// Entry point: the program's resources first, then the application object, which brings the
// program up and runs it.
#include "platform/framework/WinApp.h"
#include "resources/ProgramResources.h"
#include "shell/XApp.h"

int main(int argc, char** argv) {
  RegisterProgramResources();
  XApp app;
  return AfxWinMain(argc, argv);
}
