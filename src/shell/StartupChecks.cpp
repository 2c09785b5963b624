#include "shell/StartupChecks.h"

#include "platform/framework/GdiPalette.h"

namespace {

constexpr BYTE kRedBlueLevels[6] = {0, 42, 92, 144, 199, 255};
constexpr BYTE kGreenLevels[6] = {0, 38, 87, 140, 196, 255};

}  // namespace

void BuildFixedPalette(PALETTEENTRY entries[256]) {
  for (int i = 0; i < 256; ++i) entries[i] = PALETTEENTRY{0, 0, 0, 0};
  for (int i = 0; i < 10; ++i) {
    entries[i] = PALETTEENTRY{static_cast<BYTE>(i), 0, 0, PC_EXPLICIT};
    entries[246 + i] = PALETTEENTRY{static_cast<BYTE>(246 + i), 0, 0, PC_EXPLICIT};
  }
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        entries[10 + 36 * r + 6 * g + b] = PALETTEENTRY{kRedBlueLevels[r], kGreenLevels[g], kRedBlueLevels[b], PC_NOCOLLAPSE};
}

QualityForMemory ObjectQualityForMemory(std::uint64_t physicalBytes) {
  if (physicalBytes <= 8912896) return {-4, 40219};
  if (physicalBytes <= 17301504) return {-3, 40219};
  if (physicalBytes <= 34078720) return {-2, 40220};
  return {-1, 40221};
}
