// A counted holder of one heap array of a mesh's cartoon edge data. The mesh objects that share
// one mesh share its holders; the array is freed with the last holder.
#pragma once

#include <vector>

#include "core/Pointers.h"
#include "platform/d3drm/D3DRM.h"

class RefArray : public Myself {
 public:
  RefArray() = default;
  ~RefArray() override = default;

  // Frees the array; the holder stays, empty, for the objects that share it.
  void Free() {
    vectors = {};
    words = {};
  }

  // A holder keeps one kind: float vectors (the face normals) or 32-bit words (the weld map and
  // the surface edges).
  std::vector<D3DVECTOR> vectors;
  std::vector<DWORD> words;
};
