// Block averages: the rounded mean colour of a rectangle of source pixels, one function per pixel
// size, for the blur levels above the table levels. Each channel is averaged at the precision at
// which it is stored, rounded to the nearest with halves upward.
//
// firstPixel is the block's top-left pixel, pitch the signed byte distance to the pixel below;
// width and height are at least 1. Only the block is read.
#pragma once

#include "platform/win/WinTypes.h"

// Channels in bits 16-23, 8-15 and 0-7; bits 24-31 of the result are 0.
DWORD ApertureAverage32(const void* firstPixel, LONG pitch, DWORD width, DWORD height);

// Averages byte positions 0, 1 and 2 of 3-byte pixels into result[0..2]; returns result.
BYTE* ApertureAverage24(BYTE* result, const void* firstPixel, LONG pitch, DWORD width, DWORD height);

// 5:6:5 (rMask 0xF800) or 5:5:5 (rMask 0x7C00, bit 15 of the result 0); any other masks are fatal.
WORD ApertureAverage16(const void* firstPixel, LONG pitch, DWORD rMask, DWORD gMask, DWORD bMask,
                       DWORD width, DWORD height);
