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
using U64x2 = std::uint64_t __attribute__((vector_size(16)));
using I32x4 = std::int32_t __attribute__((vector_size(16)));
using F64x4 = double __attribute__((vector_size(32)));

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

}  // namespace aperture_kernel
