// Test support for the blur: surfaces in plain memory and a reference blur, pixel by pixel.
#pragma once

#include <algorithm>
#include <random>
#include <vector>

#include "dof/AperturePlanes.h"

// Random pixels in rows `padding` bytes longer, top-down or bottom-up, with guard bytes around.
struct TestSurface {
  TestSurface(DWORD width, DWORD height, unsigned bytes, std::mt19937& rng, bool bottomUp = false,
              unsigned padding = 0);
  AperturePlane Plane() { return {memory.data() + firstRow, static_cast<LONG>(pitch), width, height}; }
  const BYTE* At(long x, long y) const { return &memory[firstRow + pitch * y + x * bytes]; }
  DWORD Get(DWORD x, DWORD y) const;
  void Set(DWORD x, DWORD y, DWORD value);

  DWORD width, height;
  unsigned bytes;
  long pitch;
  std::size_t firstRow;
  std::vector<BYTE> memory;
};

// Level 0 copies the pixel; a table level n averages 2 * (n / 2) + 1 rows by 2 * ((n + 1) / 2) + 1
// columns; a level above 13 the (n + 1) square (odd as the even one below), clipped to the source.
// Windows are averaged by the layout's block average, which its own test pins.
template <class Pixel>
TestSurface ReferenceBlur(const TestSurface& src, const TestSurface& zBuf, const WORD* map, TestSurface dest) {
  const long width = src.width, height = src.height;
  for (long y = 7; y < height - 7; ++y) {
    for (long x = 7; x < width - 7; ++x) {
      const long level = map[zBuf.Get(x, y) >> (8 * zBuf.bytes - 16)];
      const long rows = level / 2, columns = level <= 13 ? (level + 1) / 2 : rows;
      const long top = std::max(y - rows, 0L), bottom = std::min(y + rows, height - 1);
      const long left = std::max(x - columns, 0L), right = std::min(x + columns, width - 1);
      const DWORD average = Pixel::BlockAverage(src.At(left, top), src.pitch, right - left + 1, bottom - top + 1);
      dest.Set(x - 7, y - 7, level == 0 ? src.Get(x, y) : average);
    }
  }
  return dest;
}

// A pixel layout: its bytes, its kernel and its reference.
struct BlurFormat {
  unsigned bytes;
  void (*blur)(const ApertureJob&);
  TestSurface (*reference)(const TestSurface&, const TestSurface&, const WORD*, TestSurface);
};
template <class Pixel>
constexpr BlurFormat kBlurFormat{Pixel::kBytes, &ApertureBlurPlanes<Pixel>, &ReferenceBlur<Pixel>};
