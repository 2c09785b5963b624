// The application the scene model reaches, with preferences in memory and a temporary folder for
// the files a benchmark writes; one per benchmark program.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/ddraw/Display.h"
#include "platform/win/ProfileStore.h"
#include "resources/ProgramResources.h"
#include "shell/XApp.h"

namespace bench {

struct BenchApp {
  BenchApp() {
    RegisterProgramResources();
    SetProfileStore(&profile);
    DDSetDisplayMode(32, 640, 480);
    Direct3DRMCreate(&app.lpD3DRM);
    DirectDrawCreate(nullptr, &app.lpDD, nullptr);
    folder = std::filesystem::temp_directory_path() / ("tavrolin-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  ~BenchApp() { std::filesystem::remove_all(folder); }
  BenchApp(const BenchApp&) = delete;
  BenchApp& operator=(const BenchApp&) = delete;
  MemoryProfileStore profile;
  XApp app;
  std::filesystem::path folder;
};

inline BenchApp& App() {
  static BenchApp app;
  return app;
}

}  // namespace bench
