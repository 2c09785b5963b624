// Test support: the program started as a user starts it (its settings past the first run's
// introduction), with its main window, the 3D Objects window and the scene templates; keys go to
// the main window, scenes are saved into and reopened from a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/XDocument.h"
#include "platform/framework/MDIFrameWnd.h"
#include "platform/win/QtTestApplication.h"
#include "shell/XApp.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"
#include "views/X3DView.h"

struct StartedProgram : ::testing::Test {
  StartedProgram();
  ~StartedProgram() override;
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier);
  // The one open scene.
  XDocument& Scene();
  static std::vector<X3DView*> Views(XDocument& doc);
  std::string Save(XDocument& doc);
  XDocument* Reopen(XDocument& doc, const std::string& path);
  int OpenFrames() const;

  QtTestApplication qt;
  ScriptedMessageBoxes boxes;
  ScopedSystemInfo display;
  XApp app;
  CMDIFrameWnd* main = nullptr;
  int objectsWindow = 0;
  TemporaryFolder folder;
};
