// Test support for the blur: surfaces in plain memory and a reference blur, pixel by pixel.
#pragma once

#include <random>
#include <vector>

#include "dof/AperturePlanes.h"

// Where the three channels of a pixel lie, written out independently of the kernels.
struct ChannelLayout {
  unsigned bytes;
  unsigned shift[3];
  unsigned bits[3];
};
extern const ChannelLayout kLayout32, kLayout24, kLayout555, kLayout565;

// width x height pixels of `bytes` bytes, rows `padding` bytes longer than their pixels, stored
// top-down or bottom-up (negative pitch), with guard bytes around. Everything starts random.
struct TestSurface {
  TestSurface(DWORD width, DWORD height, unsigned bytes, std::mt19937& rng, bool bottomUp = false,
              unsigned padding = 0);
  AperturePlane Plane() { return {memory.data() + firstRow, static_cast<LONG>(pitch), width, height}; }
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
// Channels are rounded to the nearest with halves up; other bits are 0.
TestSurface ReferenceBlur(const ChannelLayout& layout, const TestSurface& src, const TestSurface& zBuf,
                          const WORD* map, TestSurface dest);
