#include "dof/ApertureScratch.h"

#include <algorithm>

#include "dof/ApertureLevels.h"

namespace aperture_kernel {

namespace {

// Rows of a ring that fall to one buffer.
std::size_t RowsPerBuffer(DWORD rows) { return (std::size_t{rows} + 2) / 3; }

}  // namespace

std::size_t ColumnRowEntries(DWORD srcWidth) {
  // 16-bit entries: three planes of one per column for 16-bit pixels, one plane of one per byte
  // for deeper ones; each plane with 32 entries of slack. Two to an entry here.
  const std::size_t width = srcWidth;
  const std::size_t totals = std::max(3 * (width + 32), 4 * width + 32);
  return (totals + 1) / 2;
}

DWORD BlockRingRows(DWORD srcHeight, unsigned maxLevel) {
  if (maxLevel <= kApertureLastTableLevel) return 0;
  const DWORD blockRows = 2 * (maxLevel / 2) + 1;
  return std::min(blockRows + 1, srcHeight + 1);
}

std::size_t BlockRowEntries(DWORD srcWidth) { return 3 * (std::size_t{srcWidth} + 1) + 3; }

ScratchRing ColumnRing(DWORD* const* buffers, DWORD srcWidth) {
  return ScratchRing(buffers, 0, ColumnRowEntries(srcWidth), kColumnRingRows);
}

ScratchRing BlockRing(DWORD* const* buffers, DWORD srcWidth, DWORD srcHeight, unsigned maxLevel) {
  return ScratchRing(buffers, RowsPerBuffer(kColumnRingRows) * ColumnRowEntries(srcWidth),
                     BlockRowEntries(srcWidth), BlockRingRows(srcHeight, maxLevel));
}

}  // namespace aperture_kernel

std::size_t ApertureScratchEntries(DWORD srcWidth, DWORD srcHeight, unsigned maxLevel) {
  using namespace aperture_kernel;
  return RowsPerBuffer(kColumnRingRows) * ColumnRowEntries(srcWidth) +
         RowsPerBuffer(BlockRingRows(srcHeight, maxLevel)) * BlockRowEntries(srcWidth);
}
