// Test support for the application object: its preference file, the message boxes shown, and a
// started application that is taken down again at the end.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/XApp.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"

namespace shell_test {

// The application's own preference file in the test's configuration folder, read.
std::string ReadPreferences();
// The preferences of a start that is not the first run.
inline const char* kSetUpBefore = "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n";

// The string-table ids of the boxes shown, found by their texts.
std::vector<UINT> BoxIds(const ScriptedMessageBoxes& boxes);

// An application started by the test (InitInstance) and ended by it: the main window goes,
// ExitInstance runs and the preference file is removed when the fixture ends.
struct StartedApp : ::testing::Test {
  StartedApp();
  ~StartedApp() override;
  // Replaces the preference file's text with `preferences`, then starts.
  BOOL Start(const std::string& preferences = kSetUpBefore);

  ScriptedMessageBoxes boxes;
  ScopedSystemInfo display;
  XApp app;
  bool started = false;
};

}  // namespace shell_test
