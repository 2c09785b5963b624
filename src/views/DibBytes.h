// The bytes of an uncompressed 24-bit device-independent bitmap, as the clipboard carries it
// (info header and rows) and as a BMP file stores it (a file header in front). Numbers are
// little-endian; rows run from the bottom of the image to the top, each padded to 4 bytes.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win/WinTypes.h"

constexpr std::size_t kBitmapFileHeaderSize = 14;
constexpr std::size_t kBitmapInfoHeaderSize = 40;

// Bytes per stored row of `width` pixels: three per pixel, rounded up to a multiple of 4.
std::size_t DibRowBytes(int width);
// The bytes of the info header and rows: 40 + rows x height.
std::size_t DibSize(int width, int height);
// Dots per inch as dots per metre, rounded to the nearest.
LONG DotsPerMetre(LONG dotsPerInch);

// Writes the 40-byte info header of a `width` x `height` bitmap at `out`.
void WriteBitmapInfoHeader(BYTE* out, int width, int height, LONG xPelsPerMetre, LONG yPelsPerMetre);
// Writes the 14-byte file header of a file holding `dibSize` bytes of bitmap after it.
void WriteBitmapFileHeader(BYTE* out, std::size_t dibSize);

// The rows of a 24-bit image (bytes blue, green, red) whose top row starts at `topRow`, the next
// one `pitch` bytes on, stored bottom-up at `out` with their padding. With `halve` the source is
// twice the size each way and every 2x2 block is averaged into one pixel.
void PackDibRows(BYTE* out, const BYTE* topRow, long pitch, int width, int height, bool halve);
