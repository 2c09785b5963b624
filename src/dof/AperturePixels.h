// The four pixel layouts the blur works on. Each splits a pixel into three channels by position
// (the names follow the usual red, green, blue order, but nothing depends on which is red) and
// packs three averaged channels back; bits outside the channels are 0 in a packed pixel. The
// 16-bit layouts split and pack whole vectors of pixels the same way.
#pragma once

#include <cstring>

#include "dof/ApertureAverage.h"
#include "platform/win/WinTypes.h"

struct PixelRgb32 {
  static constexpr unsigned kBytes = 4;
  static constexpr unsigned kMaxChannel = 255;
  static DWORD Load(const BYTE* p) {
    DWORD v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  static void Store(BYTE* p, DWORD v) { std::memcpy(p, &v, sizeof v); }
  static unsigned Red(DWORD v) { return (v >> 16) & 0xFF; }
  static unsigned Green(DWORD v) { return (v >> 8) & 0xFF; }
  static unsigned Blue(DWORD v) { return v & 0xFF; }
  static DWORD Pack(unsigned r, unsigned g, unsigned b) { return r << 16 | g << 8 | b; }
  static DWORD BlockAverage(const BYTE* first, LONG pitch, DWORD width, DWORD height) {
    return ApertureAverage32(first, pitch, width, height);
  }
};

struct PixelRgb24 {
  static constexpr unsigned kBytes = 3;
  static constexpr unsigned kMaxChannel = 255;
  static DWORD Load(const BYTE* p) { return p[0] | p[1] << 8 | p[2] << 16; }
  static void Store(BYTE* p, DWORD v) {
    p[0] = static_cast<BYTE>(v);
    p[1] = static_cast<BYTE>(v >> 8);
    p[2] = static_cast<BYTE>(v >> 16);
  }
  static unsigned Red(DWORD v) { return (v >> 16) & 0xFF; }
  static unsigned Green(DWORD v) { return (v >> 8) & 0xFF; }
  static unsigned Blue(DWORD v) { return v & 0xFF; }
  static DWORD Pack(unsigned r, unsigned g, unsigned b) { return r << 16 | g << 8 | b; }
  static DWORD BlockAverage(const BYTE* first, LONG pitch, DWORD width, DWORD height) {
    BYTE result[3];
    return Load(ApertureAverage24(result, first, pitch, width, height));
  }
};

// 16-bit pixels with the channel masks of their format.
template <DWORD kR, DWORD kG, DWORD kB>
struct PixelRgb16 {
  static constexpr unsigned kBytes = 2;
  static constexpr DWORD kRMask = kR, kGMask = kG, kBMask = kB;
  static DWORD Load(const BYTE* p) {
    WORD v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  static void Store(BYTE* p, DWORD v) {
    const WORD w = static_cast<WORD>(v);
    std::memcpy(p, &w, sizeof w);
  }
  static DWORD BlockAverage(const BYTE* first, LONG pitch, DWORD width, DWORD height) {
    return ApertureAverage16(first, pitch, kRMask, kGMask, kBMask, width, height);
  }
};

// 5:5:5; bit 15 takes no part.
struct PixelRgb555 : PixelRgb16<0x7C00, 0x03E0, 0x001F> {
  static constexpr unsigned kMaxChannel = 31;
  template <class V>
  static V Red(V v) { return (v >> 10) & 0x1F; }
  template <class V>
  static V Green(V v) { return (v >> 5) & 0x1F; }
  template <class V>
  static V Blue(V v) { return v & 0x1F; }
  template <class V>
  static V Pack(V r, V g, V b) { return r << 10 | g << 5 | b; }
};

// 5:6:5.
struct PixelRgb565 : PixelRgb16<0xF800, 0x07E0, 0x001F> {
  static constexpr unsigned kMaxChannel = 63;
  template <class V>
  static V Red(V v) { return (v >> 11) & 0x1F; }
  template <class V>
  static V Green(V v) { return (v >> 5) & 0x3F; }
  template <class V>
  static V Blue(V v) { return v & 0x1F; }
  template <class V>
  static V Pack(V r, V g, V b) { return r << 11 | g << 5 | b; }
};
