// Column sums for the table levels. A table-level window is 2a + 1 rows high (a <= 6); the sum of
// a channel down a column over rows y - a to y + a is the difference of two running totals down
// that column: the total of the rows above row y + a + 1 less the total of the rows above y - a.
// The totals of the rows around the current row are kept in a ring of 16 rows in the caller's
// scratch buffers (ApertureScratch.h), which gains one row per destination row, in 16-bit entries
// that wrap round: a difference still gives every column sum (13 x 255 at most) exactly, whatever
// the ring held before. Whatever the level, a column sum then costs one subtraction, done for many
// columns at once in vector lanes.
//
// A row of totals has one plane for 24- and 32-bit pixels, with an entry per byte position of the
// source row (a column's channels side by side), and three planes for 16-bit pixels (red, green,
// blue), with an entry per column.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dof/AperturePlanes.h"
#include "dof/ApertureScratch.h"
#include "dof/ApertureVectors.h"

namespace aperture_kernel {

// Calls group(k) for k = 0, kGroup, 2 * kGroup, ... while a whole group fits in n (at least
// kGroup), and once more for the last kGroup items, overlapping the group before, so that nothing
// past n is touched. A group must give the same result when redone.
template <DWORD kGroup, class Group>
void ForEachGroup(DWORD n, Group group) {
  for (DWORD k = 0; k + kGroup < n; k += kGroup) group(k);
  group(n - kGroup);
}

template <class Pixel>
class ColumnSums {
 public:
  static constexpr unsigned kPlanes = Pixel::kBytes == 2 ? 3 : 1;
  static constexpr unsigned kColumnEntries = Pixel::kBytes == 2 ? 1 : Pixel::kBytes;  // per plane
  // How far past a plane's last entry Get may read.
  static constexpr DWORD kSlack = 32;

  // The source is at least 15 pixels wide and high; `ring` has rows of ColumnRowEntries.
  ColumnSums(const AperturePlane& src, const ScratchRing& ring)
      : src_(src), planeSize_(kColumnEntries * std::size_t{src.width} + kSlack) {
    for (DWORD r = 0; r < kColumnRingRows; ++r) rows_[r] = reinterpret_cast<std::uint16_t*>(ring.Row(r));
  }

  // Writes to sums[p * sumsPlaneSize + k], for k from 0 to n - 1 rounded up to a multiple of 8,
  // the sum over rows y - rows to y + rows of entry first + k of plane p. first + n is at most
  // kSlack - 8 past the plane's last entry; the entries past the plane give sums of no use.
  void Get(DWORD y, unsigned rows, DWORD first, DWORD n, std::uint16_t* sums, std::size_t sumsPlaneSize) {
    Reach(y);
    const std::uint16_t* const above = Row(y - rows) + first;
    const std::uint16_t* const below = Row(y + rows + 1) + first;
    for (unsigned p = 0; p < kPlanes; ++p)
      for (DWORD k = 0; k < n; k += 8)
        StoreVector(sums + p * sumsPlaneSize + k, LoadVector<U16x8>(below + p * planeSize_ + k) -
                                                      LoadVector<U16x8>(above + p * planeSize_ + k));
  }

 private:
  // Readies the totals rows of every window centred on row y: y - 6 to y + 7. Rows only ever go
  // down the source, so the ring catches up by at most 14 rows; when it has fallen further behind,
  // it goes on from whatever its row for y - 6 holds, since only differences of its rows count.
  void Reach(DWORD y) {
    if (next_ + 6 < y) next_ = y - 6;
    for (; next_ < y + 7; ++next_) AddRow(next_);
  }

  // Totals row r + 1: totals row r plus source row r.
  void AddRow(DWORD r) {
    const BYTE* const source = src_.firstRow + static_cast<std::ptrdiff_t>(r) * src_.pitch;
    const std::uint16_t* const above = Row(r);
    std::uint16_t* const below = Row(r + 1);
    if constexpr (Pixel::kBytes == 2) {
      std::uint16_t* const red = below;
      std::uint16_t* const green = below + planeSize_;
      std::uint16_t* const blue = below + 2 * planeSize_;
      ForEachGroup<8>(src_.width, [&](DWORD c) {
        const U16x8 v = LoadVector<U16x8>(source + 2 * c);
        StoreVector(red + c, LoadVector<U16x8>(above + c) + Pixel::Red(v));
        StoreVector(green + c, LoadVector<U16x8>(above + planeSize_ + c) + Pixel::Green(v));
        StoreVector(blue + c, LoadVector<U16x8>(above + 2 * planeSize_ + c) + Pixel::Blue(v));
      });
    } else {
      ForEachGroup<16>(Pixel::kBytes * src_.width, [&](DWORD j) {
        const U8x16 v = LoadVector<U8x16>(source + j), zero{};
        const U16x8 low = reinterpret_cast<U16x8>(
            __builtin_shufflevector(v, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23));
        const U16x8 high = reinterpret_cast<U16x8>(
            __builtin_shufflevector(v, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31));
        StoreVector(below + j, LoadVector<U16x8>(above + j) + low);
        StoreVector(below + j + 8, LoadVector<U16x8>(above + j + 8) + high);
      });
    }
  }

  std::uint16_t* Row(DWORD r) { return rows_[r % kColumnRingRows]; }

  const AperturePlane& src_;
  const std::size_t planeSize_;
  std::uint16_t* rows_[kColumnRingRows];
  DWORD next_ = 0;  // the source row the ring adds next; totals rows next_ - 15 to next_ are ready
};

}  // namespace aperture_kernel
