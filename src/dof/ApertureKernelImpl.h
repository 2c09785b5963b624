// The kernels' walk, shared by the four pixel layouts; each layout's file instantiates it.
//
// Each destination row is taken as runs of pixels of one level. A run at level 0 is copied; a run
// at a table level (1 to 13) averages its windows through column sums (ApertureTableRun.h); a run
// above 13 averages the blocks of its pixels (ApertureBlockSums.h). Both keep their sums in the
// caller's scratch buffers (ApertureScratch.h): a blur allocates nothing.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/FatalError.h"
#include "dof/ApertureBlockSums.h"
#include "dof/AperturePlanes.h"
#include "dof/ApertureLevels.h"
#include "dof/ApertureTableRun.h"

namespace aperture_kernel {

// Pixels and z values are read as little-endian words, and so are the lanes of vectors of levels.
static_assert(std::endian::native == std::endian::little);

// A z value's top 16 bits.
template <unsigned ZBytes>
unsigned ReadZ(const BYTE* p) {
  WORD z;
  std::memcpy(&z, p + ZBytes - 2, sizeof z);
  return z;
}

// Where the lanes of v differ from `value`: two words, the bits of lanes 0 to 3 and of 4 to 7.
inline U64x2 LanesDiffering(U16x8 v, WORD value) { return reinterpret_cast<U64x2>(v ^ value); }

// The levels of `count` pixels from their z values. Neighbours often share a z value (a surface
// facing the camera), so eight equal 16-bit values take one lookup.
template <unsigned ZBytes>
void LookUpLevels(const BYTE* z, DWORD count, const WORD* map, WORD* levels) {
  DWORD k = 0;
  if constexpr (ZBytes == 2) {
    for (; k + 8 <= count; k += 8, z += 16) {
      const U16x8 eight = LoadVector<U16x8>(z);
      const U64x2 differ = LanesDiffering(eight, eight[0]);
      if ((differ[0] | differ[1]) == 0) {
        StoreVector(levels + k, U16x8{} + map[eight[0]]);
      } else {
        for (int i = 0; i < 8; ++i) levels[k + i] = map[eight[i]];
      }
    }
  }
  for (; k < count; ++k, z += ZBytes) levels[k] = map[ReadZ<ZBytes>(z)];
}

// The end of the run of equal levels that starts at levels[i], eight levels compared at a time.
inline DWORD RunEnd(const WORD* levels, DWORD i, DWORD stretch) {
  DWORD end = i + 1;
  for (; end + 8 <= stretch; end += 8) {
    const U64x2 differ = LanesDiffering(LoadVector<U16x8>(levels + end), levels[i]);
    if (differ[0]) return end + std::countr_zero(differ[0]) / 16;
    if (differ[1]) return end + 4 + std::countr_zero(differ[1]) / 16;
  }
  while (end < stretch && levels[end] == levels[i]) ++end;
  return end;
}

// A run of `count` pixels of one level, the first at source pixel (x, y), address s.
template <class Pixel>
void RunOfLevel(unsigned level, const BYTE* s, DWORD x, DWORD y, DWORD count, BYTE* d, ColumnSums<Pixel>& columns,
                BlockSums<Pixel>& blocks) {
  constexpr std::ptrdiff_t kStep = Pixel::kBytes;
  switch (level) {
    case 0: std::memcpy(d, s, count * kStep); break;
    case 1: TableRun<Pixel, 0, 1>(columns, x, y, count, d); break;
    case 2: TableRun<Pixel, 1, 1>(columns, x, y, count, d); break;
    case 3: TableRun<Pixel, 1, 2>(columns, x, y, count, d); break;
    case 4: TableRun<Pixel, 2, 2>(columns, x, y, count, d); break;
    case 5: TableRun<Pixel, 2, 3>(columns, x, y, count, d); break;
    case 6: TableRun<Pixel, 3, 3>(columns, x, y, count, d); break;
    case 7: TableRun<Pixel, 3, 4>(columns, x, y, count, d); break;
    case 8: TableRun<Pixel, 4, 4>(columns, x, y, count, d); break;
    case 9: TableRun<Pixel, 4, 5>(columns, x, y, count, d); break;
    case 10: TableRun<Pixel, 5, 5>(columns, x, y, count, d); break;
    case 11: TableRun<Pixel, 5, 6>(columns, x, y, count, d); break;
    case 12: TableRun<Pixel, 6, 6>(columns, x, y, count, d); break;
    case 13: TableRun<Pixel, 6, 7>(columns, x, y, count, d); break;
    default: blocks.Run(s, x, y, level, count, d); break;
  }
}

template <class Pixel, unsigned ZBytes>
void BlurRows(const ApertureJob& job) {
  constexpr std::ptrdiff_t kStep = Pixel::kBytes;
  const std::ptrdiff_t srcPitch = job.src.pitch;
  ColumnSums<Pixel> columns(job.src, ColumnRing(job.scratch, job.src.width));
  BlockSums<Pixel> blocks(job);
  for (DWORD j = 0; j < job.dest.height; ++j) {
    const DWORD y = j + NO_BLUR_BAND_SZ;
    const BYTE* const srcRow = job.src.firstRow + y * srcPitch + NO_BLUR_BAND_SZ * kStep;
    const BYTE* const zRow =
        job.zBuf.firstRow + y * static_cast<std::ptrdiff_t>(job.zBuf.pitch) + NO_BLUR_BAND_SZ * ZBytes;
    BYTE* const destRow = job.dest.firstRow + j * static_cast<std::ptrdiff_t>(job.dest.pitch);
    // The levels of a stretch of the row are looked up first, all at once, and then cut into runs;
    // a run is never longer than the stretch.
    WORD levels[kLongestRun];
    for (DWORD first = 0; first < job.dest.width; first += kLongestRun) {
      const DWORD stretch = std::min(kLongestRun, job.dest.width - first);
      LookUpLevels<ZBytes>(zRow + first * ZBytes, stretch, job.map, levels);
      for (DWORD i = 0, end; i < stretch; i = end) {
        const unsigned level = levels[i];
        end = RunEnd(levels, i, stretch);
        RunOfLevel<Pixel>(level, srcRow + (first + i) * kStep, first + i + NO_BLUR_BAND_SZ, y, end - i,
                          destRow + (first + i) * kStep, columns, blocks);
      }
    }
  }
}

}  // namespace aperture_kernel

template <class Pixel>
void ApertureBlurPlanes(const ApertureJob& job) {
  switch (job.zBytes) {
    case 2: aperture_kernel::BlurRows<Pixel, 2>(job); break;
    case 3: aperture_kernel::BlurRows<Pixel, 3>(job); break;
    case 4: aperture_kernel::BlurRows<Pixel, 4>(job); break;
    default: XASSERT(job.zBytes >= 2 && job.zBytes <= 4, "Unsupport z-buffer bit depth");
  }
}
