// DirectDraw palettes: 256 colour entries that an 8-bit palette-indexed surface refers to.
#pragma once

#include "platform/win/Com.h"

struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};
using LPPALETTEENTRY = PALETTEENTRY*;

// Palette capabilities: only 8-bit palettes of 256 entries exist.
constexpr DWORD DDPCAPS_8BIT = 0x00000004;
constexpr DWORD DDPCAPS_ALLOW256 = 0x00000040;

class IDirectDrawPalette : public IUnknown {
 public:
  // Copies `count` entries from index `base` on; flags must be 0.
  virtual HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, LPPALETTEENTRY entries) = 0;
};
using LPDIRECTDRAWPALETTE = IDirectDrawPalette*;

inline constexpr IID IID_IDirectDrawPalette = {
    0x6C14DB84, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
