// The main of the program's test programs: the program's resources are registered as at start-up,
// fatal checks throw, and message boxes never wait for a person.
#include <gtest/gtest.h>

#include "resources/ProgramResources.h"
#include "support/FatalCheck.h"
#include "support/TestEnvironment.h"

void ThrowOnFatal(const FatalReport& report) { throw FatalCheckFailed(report); }

int main(int argc, char** argv) {
  PrepareTestEnvironment();
  RegisterProgramResources();
  SetFatalHandler(&ThrowOnFatal);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
