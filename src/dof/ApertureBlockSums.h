// Averages of the blocks of levels above 13. A block is up to a whole image across, so instead of
// summing each block anew, the blur builds the summed areas of its source once (the first time
// such a level is met) and takes every block sum from four of them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>

#include "dof/AperturePlanes.h"
#include "dof/ApertureVectors.h"

namespace aperture_kernel {

template <class Pixel>
class BlockSums {
 public:
  explicit BlockSums(const AperturePlane& src) : src_(src), stride_(3 * (std::size_t{src.width} + 1)) {}

  // `count` pixels of `level`, the first at source pixel (x, y), address s. Each gets the average
  // of its block: the square of level + 1 pixels a side around it, clipped to the source and not
  // re-centred at the source's edges. The radius is level / 2, so an odd level (only a caller's
  // maximum can be odd) gets the block of the even level below it.
  void Run(const BYTE* s, DWORD x, DWORD y, unsigned level, DWORD count, BYTE* d) {
    const Rows rows = RowsOf(y, level / 2);
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
  // The rows of the blocks of source row y at radius h: from top to bottom (exclusive).
  struct Rows {
    std::int64_t y, h, top, bottom;
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

  // Whether the sums of blocks of n pixels come from the summed areas, which then exist. These
  // wrap round modulo 2^32, which still gives exact block sums below 2^31, the range of a signed
  // 32-bit lane.
  bool Summable(std::int64_t n) {
    return n <= std::numeric_limits<std::int32_t>::max() / Pixel::kMaxChannel && Built();
  }

  // Four channel sums of blocks: entries `right` to `right` + 3 of the summed areas below the
  // blocks less those above them, less the same for entries `left` to `left` + 3.
  I32x4 SumsAt(const Rows& rows, std::int64_t left, std::int64_t right) const {
    const std::uint32_t* upper = sums_.get() + static_cast<std::size_t>(rows.top) * stride_;
    const std::uint32_t* lower = sums_.get() + static_cast<std::size_t>(rows.bottom) * stride_;
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

  // Builds the summed areas on first use: entry (x, y) holds the channel sums of the pixels
  // above and left of source pixel (x, y), followed by 3 spare entries for SumsAt's last lanes.
  // False when they would not fit in memory's range.
  bool Built() {
    if (sums_) return true;
    const std::size_t rows = std::size_t{src_.height} + 1;
    if (rows > (std::numeric_limits<std::size_t>::max() / sizeof(std::uint32_t) - 3) / stride_) return false;
    sums_ = std::make_unique_for_overwrite<std::uint32_t[]>(rows * stride_ + 3);
    std::fill_n(sums_.get(), stride_, 0u);
    std::fill_n(sums_.get() + rows * stride_, 3, 0u);
    for (DWORD y = 0; y < src_.height; ++y) {
      const BYTE* p = src_.firstRow + static_cast<std::ptrdiff_t>(y) * src_.pitch;
      const std::uint32_t* above = &sums_[std::size_t{y} * stride_];
      std::uint32_t* row = &sums_[(std::size_t{y} + 1) * stride_];
      std::uint32_t r = 0, g = 0, b = 0;
      row[0] = row[1] = row[2] = 0;
      for (DWORD x = 0; x < src_.width; ++x, p += Pixel::kBytes) {
        const DWORD v = Pixel::Load(p);
        row[3 * x + 3] = r += Pixel::Red(v);
        row[3 * x + 4] = g += Pixel::Green(v);
        row[3 * x + 5] = b += Pixel::Blue(v);
      }
      std::size_t i = 3;
      for (; i + 4 <= stride_; i += 4) StoreVector(row + i, LoadVector<U32x4>(row + i) + LoadVector<U32x4>(above + i));
      for (; i < stride_; ++i) row[i] += above[i];
    }
    return true;
  }

  const AperturePlane& src_;
  const std::size_t stride_;
  std::unique_ptr<std::uint32_t[]> sums_;
};

}  // namespace aperture_kernel
