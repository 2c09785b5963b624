// Reduction of a 24-bit RGB image to the program's fixed palette: the 6x6x6 colour cube at
// indices 10 to 225, optionally spreading each channel's rounding error to the pixels still to
// be converted (Floyd-Steinberg, integer byte arithmetic).
#pragma once

#include "platform/ddraw/DirectDraw.h"

// `src`: 24-bit RGB (bytes blue, green, red), changed in place by the diffusion when `dither`;
// `dest`: an 8-bit palette-indexed surface of the same size. Neither may be locked by the caller.
void ConvertRGB24ToPalette8(IDirectDrawSurface* dest, IDirectDrawSurface* src, BOOL dither);
