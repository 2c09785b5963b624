// The application of the fuzz targets that read scene objects without windows: its Retained Mode
// makes the meshes and lights that the bytes name, its DirectDraw their textures.
#pragma once

#include <cstdlib>

#include "FuzzSetup.h"
#include "shell/XApp.h"

inline XApp& RetainedModeApp() {
  static XApp* app = [] {
    InstallFuzzSetup();
    static XApp made;
    if (Direct3DRMCreate(&made.lpD3DRM) != D3DRM_OK || DirectDrawCreate(nullptr, &made.lpDD, nullptr) != DD_OK)
      std::abort();
    return &made;
  }();
  return *app;
}
