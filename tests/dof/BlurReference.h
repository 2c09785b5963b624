// Test support for the blur kernels: surfaces in plain memory with either row order, padding and
// guard bytes, and a reference blur that averages every window pixel by pixel.
#pragma once

#include <random>
#include <vector>

#include "dof/AperturePlanes.h"

// Where the channels of a pixel layout lie, written out independently of the kernels' own.
struct ChannelLayout {
  unsigned bytes;
  unsigned shift[3];
  unsigned bits[3];
};
extern const ChannelLayout kLayout32, kLayout24, kLayout555, kLayout565;

// A surface of width x height pixels of `bytes` bytes. Rows are `padding` bytes longer than their
// pixels, stored top-down, or bottom-up with a negative pitch; guard bytes lie before and after.
// Everything, padding and guards included, starts random.
class TestSurface {
 public:
  TestSurface(DWORD width, DWORD height, unsigned bytes, bool bottomUp, unsigned padding, std::mt19937& rng);

  AperturePlane Plane();
  DWORD Get(DWORD x, DWORD y) const;
  void Set(DWORD x, DWORD y, DWORD value);
  // The bytes that lie outside every pixel: row padding and the guards.
  std::vector<BYTE> OutsideBytes() const;

  DWORD width, height;
  unsigned bytes;

 private:
  std::size_t Offset(DWORD x, DWORD y) const;
  std::vector<BYTE> memory_;
  std::size_t firstRow_;
  long pitch_;
};

// The blurred picture, row by row, as the rules define it: level 0 copies the pixel; a table
// level averages its window, 2 * (n / 2) + 1 rows by 2 * ((n + 1) / 2) + 1 columns; a level above
// 13 (odd ones taken as the even level below) averages its (n + 1) square clipped to the source.
// Each channel is rounded to the nearest, halves upward; bits outside the channels are 0.
std::vector<DWORD> ReferenceBlur(const ChannelLayout& layout, const TestSurface& src, const TestSurface& zBuf,
                                 const WORD* map);
