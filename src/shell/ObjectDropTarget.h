// A window that takes objects dropped from the 3D Objects window: camera windows.
#pragma once

class ObjectDropTarget {
 public:
  virtual ~ObjectDropTarget() = default;
  // Imports the object file at `path` into the window's scene.
  virtual void ImportFile(const char* path) = 0;
};
