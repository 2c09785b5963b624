// What start-up decides from the machine: the fixed palette of an 8-bit display and the object
// quality that suits the machine's memory.
#pragma once

#include <cstdint>

#include "platform/ddraw/DirectDraw.h"

// The 256 entries: 0..9 and 246..255 name the system's own entries, 10..225 a 6x6x6 colour cube
// (index 10 + 36r + 6g + b; green has its own levels), 226..245 are black and unused.
void BuildFixedPalette(PALETTEENTRY entries[256]);

// The object-quality bias for `physicalBytes` of memory and the message that tells the user.
struct QualityForMemory {
  long bias;
  UINT messageId;
};
QualityForMemory ObjectQualityForMemory(std::uint64_t physicalBytes);
