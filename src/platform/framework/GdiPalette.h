// Logical palettes: the colours a window wants on an 8-bit display. Realising one selected into a
// window's device context as the foreground palette puts its colours into the display's palette.
#pragma once

#include <array>

#include "platform/ddraw/DirectDraw.h"
#include "platform/framework/DC.h"

// Entry flags: an explicit entry names the display palette's entry whose index its red byte holds
// (nothing is put there); a no-collapse entry always takes its own index.
constexpr BYTE PC_EXPLICIT = 2;
constexpr BYTE PC_NOCOLLAPSE = 4;

struct LOGPALETTE {
  WORD palVersion;  // 0x300
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[1];  // palNumEntries of them
};

class CPalette : public CGdiObject {
 public:
  // FALSE for a version other than 0x300, no entries or more than 256.
  BOOL CreatePalette(const LOGPALETTE* logPalette);
  UINT GetEntryCount() const { return count_; }
  UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;

 private:
  std::array<PALETTEENTRY, 256> entries_{};
  UINT count_ = 0;
};
