// The key of the welded-vertex map of the cartoon edge data: vertices at one position are one
// welded vertex unless their normals point almost exactly opposite ways.
#pragma once

#include "platform/win/WinTypes.h"

struct CartoonVertex {
  float x, y, z;     // position
  float nx, ny, nz;  // normal

  // Positions exactly equal and the normals' dot product above -0.996.
  bool operator==(const CartoonVertex& other) const;
};

// The sum of the position's three bit patterns; -0.0 counts as 0.0, so every pair of keys that
// can be equal shares a bucket.
UINT HashKey(const CartoonVertex& key);
