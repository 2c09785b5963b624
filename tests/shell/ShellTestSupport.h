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

// The application's own preference file in the test's configuration folder.
std::string PreferenceFile();
// Replaces the preference file's text; a start that is not the first run needs
// "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n".
void WritePreferences(const std::string& text);
std::string ReadPreferences();
inline const char* kSetUpBefore = "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n";

// The string-table ids of the boxes shown, found by their texts.
std::vector<UINT> BoxIds(const ScriptedMessageBoxes& boxes);

// An application started by the test (InitInstance) and ended by it: the main window goes and
// ExitInstance runs when the fixture ends.
struct StartedApp : ::testing::Test {
  StartedApp();
  ~StartedApp() override;
  BOOL Start();

  ScriptedMessageBoxes boxes;
  ScopedSystemInfo display;
  XApp app;
  bool started = false;
};

}  // namespace shell_test
