#include "platform/ddraw/DDPixelFormat.h"

namespace {

DDPIXELFORMAT EmptyFormat(DWORD flags, DWORD bits) {
  DDPIXELFORMAT format;
  std::memset(&format, 0, sizeof format);
  format.dwSize = sizeof format;
  format.dwFlags = flags;
  format.dwRGBBitCount = bits;
  return format;
}

DDPIXELFORMAT RGBFormat(DWORD bits, DWORD red, DWORD green, DWORD blue) {
  DDPIXELFORMAT format = EmptyFormat(DDPF_RGB, bits);
  format.dwRBitMask = red;
  format.dwGBitMask = green;
  format.dwBBitMask = blue;
  return format;
}

}  // namespace

DDPIXELFORMAT DDMakePixelFormat(DDFormat format) {
  switch (format) {
    case DDFormat::Palette8:
      return EmptyFormat(DDPF_RGB | DDPF_PALETTEINDEXED8, 8);
    case DDFormat::RGB555:
      return RGBFormat(16, 0x7C00, 0x03E0, 0x001F);
    case DDFormat::RGB565:
      return RGBFormat(16, 0xF800, 0x07E0, 0x001F);
    case DDFormat::RGB888:
      return RGBFormat(24, 0xFF0000, 0x00FF00, 0x0000FF);
    case DDFormat::BGR888:
      return RGBFormat(24, 0x0000FF, 0x00FF00, 0xFF0000);
    case DDFormat::XRGB8888:
      return RGBFormat(32, 0xFF0000, 0x00FF00, 0x0000FF);
  }
  return EmptyFormat(0, 0);
}

DDPIXELFORMAT DDMakeZBufferFormat(DWORD depthBits) { return EmptyFormat(DDPF_ZBUFFER, depthBits); }

bool DDIsColourFormat(const DDPIXELFORMAT& format) {
  if (format.dwSize != sizeof(DDPIXELFORMAT) || format.dwFourCC != 0) return false;
  if (format.dwFlags == (DDPF_RGB | DDPF_PALETTEINDEXED8))
    return format.dwRGBBitCount == 8 && !format.dwRBitMask && !format.dwGBitMask && !format.dwBBitMask &&
           !format.dwRGBAlphaBitMask;
  const bool alpha = format.dwFlags == (DDPF_RGB | DDPF_ALPHAPIXELS);
  if (format.dwFlags != DDPF_RGB && !alpha) return false;
  const DWORD bits = format.dwRGBBitCount;
  if (bits != 16 && bits != 24 && bits != 32) return false;
  const DWORD masks[] = {format.dwRBitMask, format.dwGBitMask, format.dwBBitMask, format.dwRGBAlphaBitMask};
  const DWORD usable = bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
  DWORD seen = 0;
  for (DWORD mask : masks) {
    if ((mask & seen) || (mask & ~usable)) return false;
    seen |= mask;
  }
  return masks[0] && masks[1] && masks[2] && (masks[3] != 0) == alpha;
}
