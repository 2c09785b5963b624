// The kernels' walk, shared by the four pixel layouts; each layout's file instantiates it.
//
// Destination pixels are visited row by row, left to right. Levels 0 to 13 are computed from
// running column sums: at a change of level the whole window is summed column by column into the
// scratch buffers; along a run of one level each step sums only the new right column and slides
// the window sum. The row's state starts fresh on every row. Levels above 13 average their block.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/DivideTable.h"
#include "core/FatalError.h"
#include "dof/ApertureKernel.h"
#include "dof/ApertureLevels.h"

namespace aperture_kernel {

struct Sums {
  unsigned r, g, b;
};

struct RowState {
  unsigned previous = 0;  // level of the previous pixel; any level outside 2..13 forces a rebuild
  DWORD k = 0;            // buffer entry of the leftmost column of the current window
  Sums window{0, 0, 0};
};

// The division table of each table level's pixel count.
inline const BYTE* LevelTable(unsigned level) {
  static const BYTE* const tables[kApertureTableLevels] = {
      nullptr,      DivideTable3,   DivideTable9,   DivideTable15,  DivideTable25,
      DivideTable35, DivideTable49, DivideTable63,  DivideTable81,  DivideTable99,
      DivideTable121, DivideTable143, DivideTable169, DivideTable195};
  return tables[level];
}

// A z value's top 16 bits.
template <unsigned ZBytes>
unsigned ReadZ(const BYTE* p) {
  WORD z;
  std::memcpy(&z, p + ZBytes - 2, sizeof z);
  return z;
}

template <class Pixel, int Radius>
Sums ColumnSum(const BYTE* centre, std::ptrdiff_t pitch) {
  Sums s{0, 0, 0};
  for (int row = -Radius; row <= Radius; ++row) {
    const DWORD v = Pixel::Load(centre + row * pitch);
    s.r += Pixel::Red(v);
    s.g += Pixel::Green(v);
    s.b += Pixel::Blue(v);
  }
  return s;
}

// Level 1: the pixel and its two neighbours in the row.
template <class Pixel>
void RowOfThree(const BYTE* s, BYTE* d) {
  constexpr std::ptrdiff_t kStep = Pixel::kBytes;
  const DWORD l = Pixel::Load(s - kStep), c = Pixel::Load(s), r = Pixel::Load(s + kStep);
  Pixel::Store(d, Pixel::Pack(DivideTable3[Pixel::Red(l) + Pixel::Red(c) + Pixel::Red(r)],
                              DivideTable3[Pixel::Green(l) + Pixel::Green(c) + Pixel::Green(r)],
                              DivideTable3[Pixel::Blue(l) + Pixel::Blue(c) + Pixel::Blue(r)]));
}

// Levels 2 to 13: 2 * Rows + 1 rows by 2 * Columns + 1 columns.
template <class Pixel, int Rows, int Columns>
void TableWindow(const BYTE* s, std::ptrdiff_t pitch, unsigned level, RowState& row, const ApertureJob& job,
                 BYTE* d) {
  constexpr std::ptrdiff_t kStep = Pixel::kBytes;
  constexpr int kWidth = 2 * Columns + 1;
  if (row.previous != level) {
    row.window = {0, 0, 0};
    for (int c = 0; c < kWidth; ++c) {
      const Sums column = ColumnSum<Pixel, Rows>(s + (c - Columns) * kStep, pitch);
      job.fifoRBuf[row.k + c] = column.r;
      job.fifoGBuf[row.k + c] = column.g;
      job.fifoBBuf[row.k + c] = column.b;
      row.window.r += column.r;
      row.window.g += column.g;
      row.window.b += column.b;
    }
  } else {
    const Sums column = ColumnSum<Pixel, Rows>(s + Columns * kStep, pitch);
    job.fifoRBuf[row.k + kWidth] = column.r;
    job.fifoGBuf[row.k + kWidth] = column.g;
    job.fifoBBuf[row.k + kWidth] = column.b;
    row.window.r = row.window.r - job.fifoRBuf[row.k] + column.r;
    row.window.g = row.window.g - job.fifoGBuf[row.k] + column.g;
    row.window.b = row.window.b - job.fifoBBuf[row.k] + column.b;
    ++row.k;
  }
  const BYTE* table = LevelTable(level);
  Pixel::Store(d, Pixel::Pack(table[row.window.r], table[row.window.g], table[row.window.b]));
}

// Levels above 13: the square block of level + 1 pixels a side around source pixel (x, y),
// clipped to the source and not re-centred at its edges.
template <class Pixel>
void BlockWindow(const BYTE* s, const ApertureJob& job, DWORD x, DWORD y, unsigned level, BYTE* d) {
  const std::int64_t h = level / 2;
  const std::int64_t left = x > h ? x - h : 0;
  const std::int64_t top = y > h ? y - h : 0;
  const std::int64_t right = std::min<std::int64_t>(x + h + 1, job.src.width);
  const std::int64_t bottom = std::min<std::int64_t>(y + h + 1, job.src.height);
  const BYTE* first = s + (top - y) * job.src.pitch + (left - x) * static_cast<std::int64_t>(Pixel::kBytes);
  Pixel::Store(d, Pixel::BlockAverage(first, job.src.pitch, static_cast<DWORD>(right - left),
                                      static_cast<DWORD>(bottom - top)));
}

template <class Pixel, unsigned ZBytes>
void BlurRows(const ApertureJob& job) {
  constexpr std::ptrdiff_t kStep = Pixel::kBytes;
  const std::ptrdiff_t srcPitch = job.src.pitch;
  for (DWORD j = 0; j < job.dest.height; ++j) {
    const DWORD y = j + NO_BLUR_BAND_SZ;
    const BYTE* s = job.src.firstRow + y * srcPitch + NO_BLUR_BAND_SZ * kStep;
    const BYTE* z = job.zBuf.firstRow + y * static_cast<std::ptrdiff_t>(job.zBuf.pitch) + NO_BLUR_BAND_SZ * ZBytes;
    BYTE* d = job.dest.firstRow + j * static_cast<std::ptrdiff_t>(job.dest.pitch);
    RowState row;
    for (DWORD i = 0; i < job.dest.width; ++i, s += kStep, z += ZBytes, d += kStep) {
      const unsigned level = ApertureUsableLevel(job.map[ReadZ<ZBytes>(z)]);
      switch (level) {
        case 0: Pixel::Store(d, Pixel::Load(s)); break;
        case 1: RowOfThree<Pixel>(s, d); break;
        case 2: TableWindow<Pixel, 1, 1>(s, srcPitch, level, row, job, d); break;
        case 3: TableWindow<Pixel, 1, 2>(s, srcPitch, level, row, job, d); break;
        case 4: TableWindow<Pixel, 2, 2>(s, srcPitch, level, row, job, d); break;
        case 5: TableWindow<Pixel, 2, 3>(s, srcPitch, level, row, job, d); break;
        case 6: TableWindow<Pixel, 3, 3>(s, srcPitch, level, row, job, d); break;
        case 7: TableWindow<Pixel, 3, 4>(s, srcPitch, level, row, job, d); break;
        case 8: TableWindow<Pixel, 4, 4>(s, srcPitch, level, row, job, d); break;
        case 9: TableWindow<Pixel, 4, 5>(s, srcPitch, level, row, job, d); break;
        case 10: TableWindow<Pixel, 5, 5>(s, srcPitch, level, row, job, d); break;
        case 11: TableWindow<Pixel, 5, 6>(s, srcPitch, level, row, job, d); break;
        case 12: TableWindow<Pixel, 6, 6>(s, srcPitch, level, row, job, d); break;
        case 13: TableWindow<Pixel, 6, 7>(s, srcPitch, level, row, job, d); break;
        default: BlockWindow<Pixel>(s, job, i + NO_BLUR_BAND_SZ, y, level, d); break;
      }
      row.previous = level;
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
