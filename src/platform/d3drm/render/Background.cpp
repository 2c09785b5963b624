#include "platform/d3drm/render/Background.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace d3drm {
namespace {

std::uint32_t Pack(const PixelFormat& format, std::uint32_t rgb) {
  return format.Pack(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// The texel index under the centre of pixel `i` of `pixels` stretched over `texels`.
std::uint32_t Stretch(int i, int pixels, std::uint32_t texels) {
  return static_cast<std::uint32_t>((std::uint64_t(2 * i + 1) * texels) / (2 * std::uint64_t(pixels)));
}

}  // namespace

void ClearTarget(const RenderTarget& target, D3DCOLOR background, const Picture* image) {
  const PixelRect& r = target.clip;
  if (r.Empty()) return;
  const int width = r.right - r.left, height = r.bottom - r.top, bytes = target.format.bytes;
  const bool stretched = image && image->width && image->height;
  // One row of pixels is made, then copied to every row that shows the same.
  std::vector<std::uint8_t> row(std::size_t(width) * bytes);
  const auto fill = [&](auto colourOf) {
    for (int x = 0; x < width; ++x) StorePixel(&row[std::size_t(x) * bytes], Pack(target.format, colourOf(x)), bytes);
  };
  if (!stretched) fill([&](int) { return background; });
  for (int y = r.top; y < r.bottom; ++y) {
    if (stretched) {
      const std::uint32_t* texels = &image->pixels[std::size_t{Stretch(y - r.top, height, image->height)} * image->width];
      fill([&](int x) { return texels[Stretch(x, width, image->width)]; });
    }
    std::memcpy(target.ColourRow(y) + r.left * bytes, row.data(), row.size());
    std::uint16_t* depth = target.DepthRow(y) + r.left;
    std::fill(depth, depth + width, std::uint16_t{0xFFFF});
  }
}

}  // namespace d3drm
