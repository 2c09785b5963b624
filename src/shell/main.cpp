// Entry point. The main window is not built yet; until it is, the program says so and exits.
#include <cstdio>

#include "platform/win/StringResources.h"
#include "resources/ProgramResources.h"

int main() {
  RegisterProgramResources();
  std::printf("%s: the main window is not built yet. This build holds the core libraries; run the tests to exercise them.\n",
              FindStringResource(57344));
  return 0;
}
