#include "scene/CartoonVertex.h"

#include <cstring>

bool CartoonVertex::operator==(const CartoonVertex& other) const {
  return x == other.x && y == other.y && z == other.z && nx * other.nx + ny * other.ny + nz * other.nz > -0.996;
}

namespace {

// The bit pattern of a coordinate; -0.0 is 0.0 so that equal positions share a bucket.
UINT Bits(float value) {
  if (value == 0.0f) value = 0.0f;
  UINT bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

}  // namespace

UINT HashKey(const CartoonVertex& key) { return Bits(key.x) + Bits(key.y) + Bits(key.z); }
