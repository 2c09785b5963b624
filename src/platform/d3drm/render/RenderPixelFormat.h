// The colour formats the renderer writes: 16-, 24- and 32-bit RGB with contiguous masks. The two
// commonest layouts get writers of their own; the others go through their masks.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/ddraw/DirectDraw.h"

namespace d3drm {

enum class PixelLayout { XRGB8888, RGB565, Masked16, Masked24, Masked32 };

struct ChannelField {
  int shift = 0;
  int bits = 0;

  std::uint32_t Pack(std::uint32_t value) const {  // value 0..255
    return (bits <= 8 ? value >> (8 - bits) : value << (bits - 8)) << shift;
  }
  std::uint32_t Unpack(std::uint32_t pixel) const {  // back to 0..255, the top bits repeated below
    const std::uint32_t field = (pixel >> shift) & ((1u << bits) - 1);
    if (bits >= 8) return field >> (bits - 8);
    std::uint32_t value = field << (8 - bits);
    for (int filled = bits; filled < 8; filled += bits) value |= value >> bits;
    return value & 0xFF;
  }
};

struct PixelFormat {
  PixelLayout layout = PixelLayout::XRGB8888;
  int bytes = 4;
  ChannelField red, green, blue;

  std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) const {
    return red.Pack(r) | green.Pack(g) | blue.Pack(b);
  }
};

// Nothing for 8-bit palette-indexed formats and masks that are not one run of bits.
std::optional<PixelFormat> DescribePixelFormat(const DDPIXELFORMAT& format);

// Pixels of 2 to 4 bytes, stored low byte first.
inline void StorePixel(std::uint8_t* p, std::uint32_t pixel, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(pixel >> (8 * i));
}
inline std::uint32_t LoadPixel(const std::uint8_t* p, int bytes) {
  std::uint32_t pixel = 0;
  for (int i = 0; i < bytes; ++i) pixel |= std::uint32_t{p[i]} << (8 * i);
  return pixel;
}

}  // namespace d3drm
