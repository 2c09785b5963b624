// The ladder of blur levels shared by the lens models, the blur driver and the kernels.
//
// A pixel's blur level is the size of the box of source pixels averaged into it. Levels 0 to 13
// are table levels: an even level 2j has a square window of 2j + 1 rows and columns, an odd level
// 2j + 1 one of 2j + 1 rows and 2j + 3 columns, and a window sum becomes an average through the
// division table of its pixel count. Above 13 only even levels occur; level n is a square block of
// n + 1 pixels a side, clipped to the source, averaged directly.
#pragma once

#include "platform/win/WinTypes.h"

// The blur source is larger than its destination by this many pixels on every side, so that the
// windows of the table levels never leave the source.
constexpr DWORD NO_BLUR_BAND_SZ = 7;

constexpr unsigned kApertureTableLevels = 14;
constexpr unsigned kApertureLastTableLevel = 13;

// Pixel count of the window of each table level.
extern const WORD ApertureLevelCounts[kApertureTableLevels];

// Effective diameter in pixels of each table level: the diameter of the disc whose area is the
// window's pixel count. Built at start-up, released at exit.
extern double* ApertureDiameters;
void ApertureInitDiameters();
void ApertureFreeDiameters();

// Effective diameter of any level; levels above the table follow the same disc rule.
double ApertureLevelDiameter(unsigned level);

// The level after `level`: one up through the table levels, then two at a time, so that no odd
// level above 13 is ever stepped onto. Callers walk levels in a counter wider than a level, so a
// walk towards a large maximum ends instead of wrapping round.
constexpr unsigned ApertureNextLevel(unsigned level) { return level < 14 ? level + 1 : level + 2; }

// Levels above 13 are even; an odd one (only a caller's maximum can be odd) stands for the even
// level below it.
constexpr unsigned ApertureUsableLevel(unsigned level) {
  return level > kApertureLastTableLevel ? level & ~1u : level;
}
