// The blur's working memory lives in the caller's three scratch buffers, so that a blur allocates
// nothing: the running column totals of the table levels (a ring of 16 rows, see
// ApertureColumnSums.h) and the summed areas of the block levels (a ring of the rows the tallest
// block spans, see ApertureBlockSums.h). The rows of each ring are dealt out to the three buffers
// in turn, so all three have one size.
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

// The entries each of the three scratch buffers holds for a blur source of srcWidth x srcHeight
// pixels whose map has no level above maxLevel. A caller that keeps its buffers while these stay
// the same allocates nothing from one blur to the next.
std::size_t ApertureScratchEntries(DWORD srcWidth, DWORD srcHeight, unsigned maxLevel);

namespace aperture_kernel {

// The rows of the column totals' ring.
constexpr DWORD kColumnRingRows = 16;
// Entries of one column totals row, for any pixel layout.
std::size_t ColumnRowEntries(DWORD srcWidth);
// Rows of the summed areas' ring: none without block levels, else the rows of the tallest block
// and one more, never more than the source's rows and one.
DWORD BlockRingRows(DWORD srcHeight, unsigned maxLevel);
// Entries of one summed-areas row, with three spare ones after the last pixel's.
std::size_t BlockRowEntries(DWORD srcWidth);

// A ring of `rows` rows of `rowEntries` entries in the three scratch buffers, from entry `offset`
// of each on: row i lies in buffer i % 3.
class ScratchRing {
 public:
  ScratchRing(DWORD* const* buffers, std::size_t offset, std::size_t rowEntries, DWORD rows)
      : buffers_{buffers[0], buffers[1], buffers[2]}, offset_(offset), rowEntries_(rowEntries), rows_(rows) {}
  DWORD Rows() const { return rows_; }
  // Ring row `row` % Rows().
  DWORD* Row(std::size_t row) const {
    const std::size_t i = row % rows_;
    return buffers_[i % 3] + offset_ + i / 3 * rowEntries_;
  }

 private:
  DWORD* buffers_[3];
  std::size_t offset_;
  std::size_t rowEntries_;
  DWORD rows_;
};

// The two rings of a blur of a source srcWidth x srcHeight pixels with levels up to maxLevel.
ScratchRing ColumnRing(DWORD* const* buffers, DWORD srcWidth);
ScratchRing BlockRing(DWORD* const* buffers, DWORD srcWidth, DWORD srcHeight, unsigned maxLevel);

}  // namespace aperture_kernel
