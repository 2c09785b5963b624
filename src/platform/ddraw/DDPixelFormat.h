// Pixel formats of DirectDraw surfaces. A DDPIXELFORMAT is compared byte for byte, so every format
// this layer hands out is zero-filled before its fields are set.
#pragma once

#include "platform/win/WinTypes.h"

struct DDPIXELFORMAT {
  DWORD dwSize;   // 32
  DWORD dwFlags;  // DDPF_*
  DWORD dwFourCC;
  DWORD dwRGBBitCount;  // bits per pixel; for a z-buffer format, its depth in bits
  DWORD dwRBitMask;
  DWORD dwGBitMask;
  DWORD dwBBitMask;
  DWORD dwRGBAlphaBitMask;
};
static_assert(sizeof(DDPIXELFORMAT) == 32);
using LPDDPIXELFORMAT = DDPIXELFORMAT*;

constexpr DWORD DDPF_ALPHAPIXELS = 0x00000001;
constexpr DWORD DDPF_FOURCC = 0x00000004;
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x00000020;
constexpr DWORD DDPF_RGB = 0x00000040;
constexpr DWORD DDPF_ZBUFFER = 0x00000400;

// Bit-depth flags, as devices list the depths they can render at.
constexpr DWORD DDBD_1 = 0x4000;
constexpr DWORD DDBD_2 = 0x2000;
constexpr DWORD DDBD_4 = 0x1000;
constexpr DWORD DDBD_8 = 0x0800;
constexpr DWORD DDBD_16 = 0x0400;
constexpr DWORD DDBD_24 = 0x0200;
constexpr DWORD DDBD_32 = 0x0100;

// The formats of this layer's displays. In the names the colours run from the highest bits down:
// RGB888 has red in 0xFF0000, so its bytes lie in memory as blue, green, red; BGR888 has red in
// 0x0000FF, bytes red, green, blue.
enum class DDFormat { Palette8, RGB555, RGB565, RGB888, BGR888, XRGB8888 };

DDPIXELFORMAT DDMakePixelFormat(DDFormat format);
DDPIXELFORMAT DDMakeZBufferFormat(DWORD depthBits);

// Bytes one pixel takes: the bit count divided by 8.
inline DWORD DDBytesPerPixel(const DDPIXELFORMAT& format) { return format.dwRGBBitCount / 8; }

// Whether two formats are the same, byte for byte.
inline bool DDSamePixelFormat(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b) {
  return std::memcmp(&a, &b, sizeof(DDPIXELFORMAT)) == 0;
}

// Whether a surface can be made in `format`: palette-indexed 8-bit, or RGB of 16, 24 or 32 bits
// with three disjoint non-empty masks (and an alpha mask exactly when DDPF_ALPHAPIXELS is set).
// Z-buffer formats are made by DDMakeZBufferFormat and are not colour formats.
bool DDIsColourFormat(const DDPIXELFORMAT& format);
