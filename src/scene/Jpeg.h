// JPEG pictures for textures, decoded through libjpeg: the size after shrinking, and the pixels
// (red, green, blue bytes, or palette indices with a palette of the quantizer's colours).
#pragma once

#include "platform/win/WinTypes.h"

// The largest side of a decoded picture that a texture takes.
constexpr unsigned kMaxJpegSide = 8192;

// The picture's size when decoded at 1/d, d being `factor` rounded up to a power of two and at
// most 8. FALSE after the damaged-file message (40045) when the file cannot be opened or libjpeg
// warned, after libjpeg's own message (40211) when it failed, and without a message for a picture
// that is not three-component colour or larger than kMaxJpegSide. Memory that libjpeg cannot get
// is waited for through the low-memory handler, and the read then starts again.
BOOL GetJPEGSize(const char* file, unsigned factor, BOOL colormapped, unsigned colors, unsigned* width,
                 unsigned* height);

// Decodes the picture into `buffer`, whose rows lie `pitch` bytes apart (a positive pitch) and
// which holds bufferWidth x bufferHeight pixels; a picture that does not fit fails. With
// `colormapped` the pixels are indices and `palette` (256 entries of red, green, blue, 0) gets the
// quantizer's colours, the entries past them repeating the first. Failures and messages as
// GetJPEGSize.
BOOL ReadJPEG(const char* file, BYTE* buffer, LONG pitch, unsigned bufferWidth, unsigned bufferHeight,
              unsigned factor, BOOL colormapped, unsigned colors, BYTE* palette);
