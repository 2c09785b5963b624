// The main of every test program: fatal checks throw, and message boxes never wait for a person.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/FatalCheck.h"

void ThrowOnFatal(const FatalReport& report) { throw FatalCheckFailed(report); }

int main(int argc, char** argv) {
  // Qt-backed tests run without a screen.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  SetFatalHandler(&ThrowOnFatal);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
