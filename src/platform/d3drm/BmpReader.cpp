#include "platform/d3drm/BmpReader.h"

#include <cstdlib>

namespace d3drm {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t U16(std::span<const std::uint8_t> d, std::size_t at) { return d[at] | std::uint32_t{d[at + 1]} << 8; }
std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) { return U16(d, at) | U16(d, at + 2) << 16; }

std::uint32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
}

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows from the top
  std::uint32_t bits = 0;
  std::uint32_t compression = kUncompressed;
  std::uint32_t colors = 0;  // palette entries given, 0 for "all"
  std::size_t paletteAt = 0;
  std::size_t paletteEntrySize = 4;
};

bool ReadLayout(std::span<const std::uint8_t> d, Layout* layout) {
  if (d.size() < kFileHeaderSize + 4 || d[0] != 'B' || d[1] != 'M') return false;
  const std::uint32_t headerSize = U32(d, kFileHeaderSize);
  if (headerSize > d.size() - kFileHeaderSize) return false;
  std::uint32_t planes;
  if (headerSize == kCoreHeaderSize) {
    layout->width = U16(d, 18);
    layout->height = U16(d, 20);
    planes = U16(d, 22);
    layout->bits = U16(d, 24);
    layout->paletteEntrySize = 3;
  } else if (headerSize >= kInfoHeaderSize) {
    layout->width = static_cast<std::int32_t>(U32(d, 18));
    layout->height = static_cast<std::int32_t>(U32(d, 22));
    planes = U16(d, 26);
    layout->bits = U16(d, 28);
    layout->compression = U32(d, 30);
    layout->colors = U32(d, 46);
  } else {
    return false;
  }
  layout->paletteAt = kFileHeaderSize + headerSize;
  return planes == 1 && layout->compression == kUncompressed;
}

}  // namespace

bool DecodeBmp(std::span<const std::uint8_t> d, Picture* picture) {
  Layout layout;
  if (!ReadLayout(d, &layout)) return false;
  const std::uint32_t bits = layout.bits;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  const std::int64_t width = layout.width;
  const std::int64_t height = std::llabs(layout.height);
  if (width <= 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide) return false;

  std::vector<std::uint32_t> palette;
  if (bits <= 8) {
    const std::uint32_t most = 1u << bits;
    const std::uint32_t colors = layout.colors ? layout.colors : most;
    if (colors > most || colors * layout.paletteEntrySize > d.size() - layout.paletteAt) return false;
    for (std::uint32_t i = 0; i < colors; ++i) {
      const std::size_t at = layout.paletteAt + i * layout.paletteEntrySize;
      palette.push_back(Rgb(d[at + 2], d[at + 1], d[at]));
    }
    palette.resize(most, 0);  // indices past the palette show black
  }

  const std::uint32_t offset = U32(d, 10);
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  if (offset > d.size() || stride * static_cast<std::uint64_t>(height) > d.size() - offset) return false;

  picture->width = static_cast<std::uint32_t>(width);
  picture->height = static_cast<std::uint32_t>(height);
  picture->pixels.resize(static_cast<std::size_t>(width * height));
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* in = d.data() + offset + stride * static_cast<std::uint64_t>(row);
    const std::int64_t target = layout.height > 0 ? height - 1 - row : row;
    std::uint32_t* out = picture->pixels.data() + target * width;
    for (std::int64_t x = 0; x < width; ++x) {
      if (bits == 24 || bits == 32) {
        const std::uint8_t* p = in + x * (bits / 8);
        out[x] = Rgb(p[2], p[1], p[0]);
      } else {
        const std::int64_t bit = x * bits;
        const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
        out[x] = palette[(in[bit / 8] >> shift) & ((1u << bits) - 1)];
      }
    }
  }
  return true;
}

}  // namespace d3drm
