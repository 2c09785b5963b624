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
    const std::int64_t h = level / 2;
    const std::int64_t top = y > h ? y - h : 0;
    const std::int64_t bottom = std::min<std::int64_t>(y + h + 1, src_.height);
    const bool built = Built();
    const std::uint32_t* upper = sums_.get() + static_cast<std::size_t>(top) * stride_;
    const std::uint32_t* lower = sums_.get() + static_cast<std::size_t>(bottom) * stride_;
    for (DWORD k = 0; k < count; ++k, s += Pixel::kBytes, d += Pixel::kBytes) {
      const std::int64_t at = x + k;
      const std::int64_t left = at > h ? at - h : 0;
      const std::int64_t right = std::min<std::int64_t>(at + h + 1, src_.width);
      const std::int64_t n = (right - left) * (bottom - top);
      // The summed areas wrap round modulo 2^32, which still gives exact sums below 2^32.
      if (!built || n > std::numeric_limits<std::uint32_t>::max() / Pixel::kMaxChannel) {
        const BYTE* first =
            s + (top - y) * src_.pitch + (left - at) * static_cast<std::int64_t>(Pixel::kBytes);
        Pixel::Store(d, Pixel::BlockAverage(first, src_.pitch, static_cast<DWORD>(right - left),
                                            static_cast<DWORD>(bottom - top)));
        continue;
      }
      if (n != count_) {
        count_ = n;
        half_ = n / 2 + 0.5;
        inverse_ = 1.0 / static_cast<double>(n);
      }
      const std::uint32_t* tl = upper + 3 * left;
      const std::uint32_t* tr = upper + 3 * right;
      const std::uint32_t* bl = lower + 3 * left;
      const std::uint32_t* br = lower + 3 * right;
      Pixel::Store(d, Pixel::Pack(Average(br[0] - bl[0] - tr[0] + tl[0]), Average(br[1] - bl[1] - tr[1] + tl[1]),
                                  Average(br[2] - bl[2] - tr[2] + tl[2])));
    }
  }

 private:
  // (sum + n / 2) / n in integers. Adding a further half keeps the exact quotient at least
  // 1 / (2n) away from a whole number, far more than the rounding error of the product.
  unsigned Average(std::uint32_t sum) const {
    return static_cast<unsigned>((static_cast<double>(sum) + half_) * inverse_);
  }

  // Builds the summed areas on first use: entry (x, y) holds the channel sums of the pixels
  // above and left of source pixel (x, y). False when they would not fit in memory's range.
  bool Built() {
    if (sums_) return true;
    const std::size_t rows = std::size_t{src_.height} + 1;
    if (rows > std::numeric_limits<std::size_t>::max() / sizeof(std::uint32_t) / stride_) return false;
    sums_ = std::make_unique_for_overwrite<std::uint32_t[]>(rows * stride_);
    std::fill_n(sums_.get(), stride_, 0u);
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
  std::int64_t count_ = 0;
  double half_ = 0, inverse_ = 0;
};

}  // namespace aperture_kernel
