#include "platform/d3drm/render/RenderPixelFormat.h"

#include <bit>

namespace d3drm {
namespace {

std::optional<ChannelField> FieldOf(DWORD mask) {
  if (mask == 0) return std::nullopt;
  ChannelField field;
  field.shift = std::countr_zero(mask);
  field.bits = std::popcount(mask);
  if ((mask >> field.shift) != (1u << field.bits) - 1 || field.bits > 16) return std::nullopt;
  return field;
}

}  // namespace

std::optional<PixelFormat> DescribePixelFormat(const DDPIXELFORMAT& format) {
  if (!DDIsColourFormat(format) || (format.dwFlags & DDPF_PALETTEINDEXED8)) return std::nullopt;
  const auto red = FieldOf(format.dwRBitMask), green = FieldOf(format.dwGBitMask), blue = FieldOf(format.dwBBitMask);
  if (!red || !green || !blue) return std::nullopt;
  PixelFormat described;
  described.bytes = static_cast<int>(DDBytesPerPixel(format));
  described.red = *red;
  described.green = *green;
  described.blue = *blue;
  const bool masksOnly = format.dwRGBAlphaBitMask == 0;
  if (described.bytes == 4 && masksOnly && format.dwRBitMask == 0xFF0000 && format.dwGBitMask == 0xFF00 &&
      format.dwBBitMask == 0xFF)
    described.layout = PixelLayout::XRGB8888;
  else if (described.bytes == 2 && format.dwRBitMask == 0xF800 && format.dwGBitMask == 0x07E0 &&
           format.dwBBitMask == 0x001F)
    described.layout = PixelLayout::RGB565;
  else
    described.layout = described.bytes == 2   ? PixelLayout::Masked16
                       : described.bytes == 3 ? PixelLayout::Masked24
                                              : PixelLayout::Masked32;
  return described;
}

}  // namespace d3drm
