// The application a scene file is read under in the fuzz target and its seed writer: the
// stand-alone application with real camera windows in the rotate-about mode, with a silent
// message box and its preferences kept out of the user's.
#pragma once

#include <cstdlib>
#include <string>

#include "FuzzSetup.h"
#include "views/WindowedApp.h"

class SceneFileApp : public WindowedApp {
 public:
  SceneFileApp() : WindowedApp(kRotateObjectAboutMode) {
    // New camera windows write their preferences back.
    static std::string config = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/tavrolin-fuzz";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    SetMessageBoxBackend(&boxes);
  }

 private:
  SilentBoxes boxes;
};
