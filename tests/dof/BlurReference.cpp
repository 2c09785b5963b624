#include "BlurReference.h"

#include <algorithm>
#include <cstdint>

const ChannelLayout kLayout32{4, {16, 8, 0}, {8, 8, 8}};
const ChannelLayout kLayout24{3, {16, 8, 0}, {8, 8, 8}};
const ChannelLayout kLayout555{2, {10, 5, 0}, {5, 5, 5}};
const ChannelLayout kLayout565{2, {11, 5, 0}, {5, 6, 5}};

namespace {

constexpr std::size_t kGuard = 64;
constexpr long kBand = 7;

}  // namespace

TestSurface::TestSurface(DWORD w, DWORD h, unsigned b, bool bottomUp, unsigned padding, std::mt19937& rng)
    : width(w), height(h), bytes(b) {
  const long rowBytes = static_cast<long>(w * b + padding);
  memory_.resize(2 * kGuard + rowBytes * h);
  for (BYTE& byte : memory_) byte = static_cast<BYTE>(rng());
  pitch_ = bottomUp ? -rowBytes : rowBytes;
  firstRow_ = kGuard + (bottomUp ? rowBytes * (h - 1) : 0);
}

AperturePlane TestSurface::Plane() {
  return {memory_.data() + firstRow_, static_cast<LONG>(pitch_), width, height};
}

std::size_t TestSurface::Offset(DWORD x, DWORD y) const {
  return static_cast<std::size_t>(static_cast<long>(firstRow_) + pitch_ * static_cast<long>(y) + x * bytes);
}

DWORD TestSurface::Get(DWORD x, DWORD y) const {
  DWORD value = 0;
  for (unsigned i = 0; i < bytes; ++i) value |= static_cast<DWORD>(memory_[Offset(x, y) + i]) << (8 * i);
  return value;
}

void TestSurface::Set(DWORD x, DWORD y, DWORD value) {
  for (unsigned i = 0; i < bytes; ++i) memory_[Offset(x, y) + i] = static_cast<BYTE>(value >> (8 * i));
}

std::vector<BYTE> TestSurface::OutsideBytes() const {
  std::vector<bool> inside(memory_.size(), false);
  for (DWORD y = 0; y < height; ++y)
    std::fill_n(inside.begin() + static_cast<std::ptrdiff_t>(Offset(0, y)), width * bytes, true);
  std::vector<BYTE> outside;
  for (std::size_t i = 0; i < memory_.size(); ++i)
    if (!inside[i]) outside.push_back(memory_[i]);
  return outside;
}

std::vector<DWORD> ReferenceBlur(const ChannelLayout& layout, const TestSurface& src, const TestSurface& zBuf,
                                 const WORD* map) {
  std::vector<DWORD> result;
  const long srcWidth = src.width, srcHeight = src.height;
  for (long y = kBand; y < srcHeight - kBand; ++y) {
    for (long x = kBand; x < srcWidth - kBand; ++x) {
      const unsigned z = zBuf.Get(x, y) >> (8 * zBuf.bytes - 16);
      unsigned level = map[z];
      if (level == 0) {
        result.push_back(src.Get(x, y));
        continue;
      }
      long top, bottom, left, right;  // inclusive
      if (level <= 13) {
        top = y - level / 2;
        bottom = y + level / 2;
        left = x - (level + 1) / 2;
        right = x + (level + 1) / 2;
      } else {
        const long half = level / 2;
        top = std::max(y - half, 0L);
        bottom = std::min(y + half, srcHeight - 1);
        left = std::max(x - half, 0L);
        right = std::min(x + half, srcWidth - 1);
      }
      std::uint64_t sums[3] = {0, 0, 0};
      for (long v = top; v <= bottom; ++v) {
        for (long u = left; u <= right; ++u) {
          const DWORD pixel = src.Get(u, v);
          for (int c = 0; c < 3; ++c) sums[c] += (pixel >> layout.shift[c]) & ((1u << layout.bits[c]) - 1);
        }
      }
      const std::uint64_t count = static_cast<std::uint64_t>(bottom - top + 1) * (right - left + 1);
      DWORD pixel = 0;
      for (int c = 0; c < 3; ++c) {
        const std::uint64_t doubled = 2 * sums[c] + count;  // round half up: floor(sum / count + 1/2)
        pixel |= static_cast<DWORD>(doubled / (2 * count)) << layout.shift[c];
      }
      result.push_back(pixel);
    }
  }
  return result;
}
