// The 2x2 reduction of a double-size render: every block of four pixels becomes one, each
// channel the rounded average of its four values. The rounding term alternates 2, 1, 2, 1 along
// an output row, so that halves do not always round the same way.
#pragma once

#include "platform/ddraw/DirectDraw.h"

// The pixel layouts the reduction knows, by where their channels lie.
enum class SupersampleFormat { rgb565, rgb555, rgb24, rgb32 };

// The layout of `format`; any other format is a fatal check.
SupersampleFormat SupersampleFormatOf(const DDPIXELFORMAT& format);
int BytesPerPixel(SupersampleFormat format);

// Averages the blocks of the source rows `first` and `second` (2 * `outPixels` pixels each) into
// `outPixels` pixels at `out`. `out` may be `second`: pixel i is written only after the pixels up
// to 2i + 1 are read. In 5:5:5 the unused top bit keeps the value it had in `out`.
void AverageRowPair(const BYTE* first, const BYTE* second, BYTE* out, int outPixels, SupersampleFormat format);
