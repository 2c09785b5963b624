// Averages of the blocks of levels above 13. A block is up to a whole image across, so instead of
// summing each block anew, the blur keeps the summed areas of the source rows that the blocks of
// the current row reach, and takes every block sum from four of them. Those rows live in a ring
// in the caller's scratch buffers (ApertureScratch.h) that goes down the source with the blur.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "dof/AperturePlanes.h"
#include "dof/ApertureScratch.h"
#include "dof/ApertureVectors.h"

namespace aperture_kernel {

template <class Pixel>
class BlockSums {
 public:
  explicit BlockSums(const ApertureJob& job) : job_(job), src_(job.src), stride_(3 * (std::size_t{src_.width} + 1)) {}

  // `count` pixels of `level`, the first at source pixel (x, y), address s. Each gets the average
  // of its block: the square of level + 1 pixels a side around it, clipped to the source and not
  // re-centred at the source's edges. The radius is level / 2, so an odd level (only a caller's
  // maximum can be odd) gets the block of the even level below it.
  void Run(const BYTE* s, DWORD x, DWORD y, unsigned level, DWORD count, BYTE* d) {
    Rows rows = RowsOf(y, level / 2);
    summed_ = Reach(rows);
    // The pixels from `from` to `to` have blocks that the source's sides do not clip, all of one
    // size.
    const std::int64_t h = rows.h;
    const DWORD from = static_cast<DWORD>(std::clamp<std::int64_t>(h - x, 0, count));
    const DWORD to = static_cast<DWORD>(std::clamp<std::int64_t>(src_.width - h - x, from, count));
    if (from == to || !Summable((2 * h + 1) * (rows.bottom - rows.top))) {
      OneByOne(rows, s, x, 0, count, d);
      return;
    }
    OneByOne(rows, s, x, 0, from, d);
    Unclipped(rows, x, from, to, d);
    OneByOne(rows, s, x, to, count, d);
  }

 private:
  // The rows of the blocks of source row y at radius h: from top to bottom (exclusive), and the
  // summed-areas rows above and below them once they are ready.
  struct Rows {
    std::int64_t y, h, top, bottom;
    const std::uint32_t* upper = nullptr;
    const std::uint32_t* lower = nullptr;
  };
  Rows RowsOf(std::int64_t y, std::int64_t h) const {
    return {y, h, y > h ? y - h : 0, std::min<std::int64_t>(y + h + 1, src_.height)};
  }

  // Rounded averages of sums of n pixels, (sum + n / 2) / n in integers. Adding a further half
  // keeps the exact quotient at least 1 / (2n) away from a whole number, far more than the
  // rounding error of the product.
  struct Divisor {
    explicit Divisor(std::int64_t n)
        : half(static_cast<double>(n / 2) + 0.5), inverse(1.0 / static_cast<double>(n)) {}
    I32x4 Averages(I32x4 sums) const {
      return __builtin_convertvector((__builtin_convertvector(sums, F64x4) + half) * inverse, I32x4);
    }
    double half, inverse;
  };

  // Whether the sums of blocks of n pixels of the current run come from the summed areas. These
  // wrap round modulo 2^32, which still gives exact block sums below 2^31, the range of a signed
  // 32-bit lane.
  bool Summable(std::int64_t n) const {
    return summed_ && n <= std::numeric_limits<std::int32_t>::max() / Pixel::kMaxChannel;
  }

  // Four channel sums of blocks: entries `right` to `right` + 3 of the summed areas below the
  // blocks less those above them, less the same for entries `left` to `left` + 3.
  I32x4 SumsAt(const Rows& rows, std::int64_t left, std::int64_t right) const {
    const std::uint32_t* upper = rows.upper;
    const std::uint32_t* lower = rows.lower;
    return reinterpret_cast<I32x4>(LoadVector<U32x4>(lower + right) - LoadVector<U32x4>(lower + left) -
                                   LoadVector<U32x4>(upper + right) + LoadVector<U32x4>(upper + left));
  }

  // Pixels `first` to `last` - 1 of the run, one at a time.
  void OneByOne(const Rows& rows, const BYTE* s, std::int64_t x, DWORD first, DWORD last, BYTE* d) {
    for (DWORD k = first; k < last; ++k) {
      const std::int64_t at = x + k;
      const std::int64_t left = at > rows.h ? at - rows.h : 0;
      const std::int64_t right = std::min<std::int64_t>(at + rows.h + 1, src_.width);
      const std::int64_t n = (right - left) * (rows.bottom - rows.top);
      BYTE* const out = d + k * Pixel::kBytes;
      if (!Summable(n)) {
        const BYTE* block = s + (rows.top - rows.y) * src_.pitch + (left - x) * std::int64_t{Pixel::kBytes};
        Pixel::Store(out, Pixel::BlockAverage(block, src_.pitch, static_cast<DWORD>(right - left),
                                              static_cast<DWORD>(rows.bottom - rows.top)));
        continue;
      }
      const I32x4 averages = Divisor(n).Averages(SumsAt(rows, 3 * left, 3 * right));
      Pixel::Store(out, Pixel::Pack(averages[0], averages[1], averages[2]));
    }
  }

  // Pixels `first` to `last` - 1 of the run, whose blocks all hold the same number of pixels. In a
  // row of summed areas a pixel's channels lie side by side, and so do those of the next pixel, so
  // the channel sums of a stretch of pixels are worked out four at a time.
  void Unclipped(const Rows& rows, std::int64_t x, DWORD first, DWORD last, BYTE* d) {
    const Divisor divisor((2 * rows.h + 1) * (rows.bottom - rows.top));
    constexpr DWORD kStretch = 64;
    std::int32_t averages[3 * kStretch];
    for (DWORD k = first; k < last; k += kStretch) {
      const DWORD pixels = std::min(kStretch, last - k);
      const std::int64_t left = 3 * (x + k - rows.h), right = 3 * (x + k + rows.h + 1);
      for (DWORD e = 0; e < 3 * pixels; e += 4)
        StoreVector(averages + e, divisor.Averages(SumsAt(rows, left + e, right + e)));
      for (DWORD i = 0; i < pixels; ++i) {
        const std::int32_t* const channels = averages + 3 * i;
        Pixel::Store(d + (k + i) * Pixel::kBytes, Pixel::Pack(channels[0], channels[1], channels[2]));
      }
    }
  }

  // Summed-areas row r holds, at entry 3x + c, the sum of channel c over the source pixels left of
  // column x in the rows from the ring's base row to row r - 1, and 3 spare entries after the last
  // column for SumsAt's last lanes; the base row is all 0. Only differences of rows count, so the
  // ring starts again from a new base when the blur has left the rows it holds behind.
  std::uint32_t* Row(std::int64_t r) const {
    return reinterpret_cast<std::uint32_t*>(ring_->Row(static_cast<std::size_t>(r)));
  }

  // Readies the summed-areas rows of a row's blocks, from its top to its bottom. The blocks of
  // this and every later row start no higher than reach_ rows above their centre row, so a base
  // there serves them all. The ring is laid out when the first block comes, for the map's
  // largest one. False when the ring cannot hold the rows.
  bool Reach(Rows& rows) {
    if (!ring_) {
      const unsigned maxLevel = ApertureHighestLevel(job_.map);
      ring_.emplace(BlockRing(job_.scratch, src_.width, src_.height, maxLevel));
      reach_ = maxLevel / 2;
    }
    if (rows.bottom - rows.top + 1 > std::int64_t{ring_->Rows()}) return false;
    const std::int64_t base = std::max<std::int64_t>(rows.y - reach_, 0);
    if (next_ <= base) {
      std::fill_n(Row(base), stride_, 0u);
      next_ = base + 1;
    }
    for (; next_ <= rows.bottom; ++next_) AddRow(next_);
    rows.upper = Row(rows.top);
    rows.lower = Row(rows.bottom);
    return true;
  }

  // Row r: row r - 1 plus the running sums along source row r - 1.
  void AddRow(std::int64_t r) {
    const BYTE* p = src_.firstRow + (r - 1) * src_.pitch;
    const std::uint32_t* above = Row(r - 1);
    std::uint32_t* row = Row(r);
    std::uint32_t red = 0, green = 0, blue = 0;
    row[0] = row[1] = row[2] = 0;
    for (DWORD x = 0; x < src_.width; ++x, p += Pixel::kBytes) {
      const DWORD v = Pixel::Load(p);
      row[3 * x + 3] = red += Pixel::Red(v);
      row[3 * x + 4] = green += Pixel::Green(v);
      row[3 * x + 5] = blue += Pixel::Blue(v);
    }
    std::size_t i = 3;
    for (; i + 4 <= stride_; i += 4) StoreVector(row + i, LoadVector<U32x4>(row + i) + LoadVector<U32x4>(above + i));
    for (; i < stride_; ++i) row[i] += above[i];
  }

  const ApertureJob& job_;
  const AperturePlane& src_;
  const std::size_t stride_;
  std::optional<ScratchRing> ring_;
  std::int64_t reach_ = 0;    // the radius of the largest block
  std::int64_t next_ = 0;     // the summed-areas row made next; those from the base on are ready
  bool summed_ = false;       // whether the current run's rows are ready
};

}  // namespace aperture_kernel
