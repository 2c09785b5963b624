// Small fixed-size vectors for the kernels, in the compiler's generic vector types, so the same
// code runs on any target and uses its vector registers where it has them.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/win/WinTypes.h"

namespace aperture_kernel {

using U8x16 = std::uint8_t __attribute__((vector_size(16)));
using U16x8 = std::uint16_t __attribute__((vector_size(16)));
using U32x4 = std::uint32_t __attribute__((vector_size(16)));

template <class V>
V LoadVector(const void* p) {
  V v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <class V>
void StoreVector(void* p, const V& v) {
  std::memcpy(p, &v, sizeof v);
}

// A scratch buffer of 32-bit entries used as twice as many 16-bit lanes.
class Lanes16 {
 public:
  explicit Lanes16(DWORD* buffer) : bytes_(reinterpret_cast<BYTE*>(buffer)) {}
  std::uint16_t Get(std::size_t i) const {
    std::uint16_t v;
    std::memcpy(&v, bytes_ + 2 * i, sizeof v);
    return v;
  }
  void Set(std::size_t i, unsigned v) {
    const std::uint16_t w = static_cast<std::uint16_t>(v);
    std::memcpy(bytes_ + 2 * i, &w, sizeof w);
  }
  U16x8 Load(std::size_t i) const { return LoadVector<U16x8>(bytes_ + 2 * i); }
  void Store(std::size_t i, const U16x8& v) { StoreVector(bytes_ + 2 * i, v); }

 private:
  BYTE* bytes_;
};

}  // namespace aperture_kernel
