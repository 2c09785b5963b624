#include "BlurReference.h"

#include <algorithm>
#include <cstdint>

const ChannelLayout kLayout32{4, {16, 8, 0}, {8, 8, 8}};
const ChannelLayout kLayout24{3, {16, 8, 0}, {8, 8, 8}};
const ChannelLayout kLayout555{2, {10, 5, 0}, {5, 5, 5}};
const ChannelLayout kLayout565{2, {11, 5, 0}, {5, 6, 5}};

TestSurface::TestSurface(DWORD w, DWORD h, unsigned b, std::mt19937& rng, bool bottomUp, unsigned padding)
    : width(w), height(h), bytes(b), pitch(static_cast<long>(w * b + padding)), firstRow(16) {
  memory.resize(32 + pitch * h);
  for (BYTE& byte : memory) byte = static_cast<BYTE>(rng());
  if (bottomUp) {
    firstRow += pitch * (h - 1);
    pitch = -pitch;
  }
}

DWORD TestSurface::Get(DWORD x, DWORD y) const {
  DWORD value = 0;
  for (unsigned i = 0; i < bytes; ++i) value |= DWORD{memory[firstRow + pitch * y + x * bytes + i]} << (8 * i);
  return value;
}

void TestSurface::Set(DWORD x, DWORD y, DWORD value) {
  for (unsigned i = 0; i < bytes; ++i) memory[firstRow + pitch * y + x * bytes + i] = static_cast<BYTE>(value >> (8 * i));
}

TestSurface ReferenceBlur(const ChannelLayout& layout, const TestSurface& src, const TestSurface& zBuf,
                          const WORD* map, TestSurface dest) {
  const long width = src.width, height = src.height;
  for (long y = 7; y < height - 7; ++y) {
    for (long x = 7; x < width - 7; ++x) {
      const long level = map[zBuf.Get(x, y) >> (8 * zBuf.bytes - 16)];
      const long rows = level / 2, columns = level <= 13 ? (level + 1) / 2 : rows;
      const long top = std::max(y - rows, 0L), bottom = std::min(y + rows, height - 1);
      const long left = std::max(x - columns, 0L), right = std::min(x + columns, width - 1);
      std::uint64_t sums[3] = {0, 0, 0};
      for (long v = top; v <= bottom; ++v)
        for (long u = left; u <= right; ++u)
          for (int c = 0; c < 3; ++c) sums[c] += (src.Get(u, v) >> layout.shift[c]) & ((1u << layout.bits[c]) - 1);
      const std::uint64_t count = static_cast<std::uint64_t>(bottom - top + 1) * (right - left + 1);
      DWORD pixel = 0;
      for (int c = 0; c < 3; ++c) pixel |= static_cast<DWORD>((2 * sums[c] + count) / (2 * count)) << layout.shift[c];
      dest.Set(x - 7, y - 7, level == 0 ? src.Get(x, y) : pixel);
    }
  }
  return dest;
}
