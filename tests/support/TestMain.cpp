// The main of the program's test programs: the program's resources are registered as at start-up,
// fatal checks throw, and message boxes never wait for a person. A box that comes up while no
// test answers boxes is one nobody expected: it fails the test that met it.
#include <gtest/gtest.h>

#include "platform/win/MessageBox.h"
#include "resources/ProgramResources.h"
#include "support/FatalCheck.h"
#include "support/TestEnvironment.h"

namespace {

class UnexpectedMessageBoxes final : public MessageBoxBackend {
 public:
  int Show(HWND, const char* text, const char* caption, UINT style) override {
    ADD_FAILURE() << "A message box nobody expected: [" << (caption ? caption : "") << "] " << (text ? text : "");
    return DefaultButtonResult(style);
  }
};

}  // namespace

void ThrowOnFatal(const FatalReport& report) { throw FatalCheckFailed(report); }

int main(int argc, char** argv) {
  PrepareTestEnvironment();
  RegisterProgramResources();
  SetFatalHandler(&ThrowOnFatal);
  static UnexpectedMessageBoxes unexpected;
  SetMessageBoxBackend(&unexpected);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
