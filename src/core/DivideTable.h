// Rounded-division tables: DivideTableN[i] is i / N rounded to the nearest integer, as a byte, for
// 0 <= i < 256 * N, so a sum of N pixel values of at most 255 is averaged without a division.
// The top (N - 1) / 2 entries would round to 256 and hold its low byte, 0.
#pragma once

#include "platform/win/WinTypes.h"

extern const BYTE* const DivideTable3;
extern const BYTE* const DivideTable9;
extern const BYTE* const DivideTable15;
extern const BYTE* const DivideTable25;
extern const BYTE* const DivideTable35;
extern const BYTE* const DivideTable49;
extern const BYTE* const DivideTable63;
extern const BYTE* const DivideTable81;
extern const BYTE* const DivideTable99;
extern const BYTE* const DivideTable121;
extern const BYTE* const DivideTable143;
extern const BYTE* const DivideTable169;
extern const BYTE* const DivideTable195;
