// The mode filter of the painted looks: every pixel becomes the most frequent colour of the
// square brush around it. 24-bit RGB surfaces count colours in bins of 6, 7 and 6 bits; 8-bit
// palette surfaces count palette indices. Beside it, a filter that lets pixels sink through a
// picture by their brightness.
#pragma once

#include <cstddef>

#include "core/Pointers.h"
#include "platform/ddraw/DirectDraw.h"

// The surface's description, its size field set to 108.
DDSURFACEDESC GetSurfaceDesc(IUPtr<IDirectDrawSurface> surface);

// The largest radius the filter takes.
constexpr unsigned kLargestModeFilterRadius = 127;

// Filters the width x height area at the top left of `src` into `dest` (two different surfaces of
// one supported format); the window is (2 x radius + 1) pixels square, clipped to the area, and
// radius is 1 to kLargestModeFilterRadius. Pixels of `dest` outside the area are left alone.
void ModeFilterSurface(IDirectDrawSurface* dest, IDirectDrawSurface* src, unsigned radius, unsigned width,
                       unsigned height);

// The filter on plain pixel rows: `bytesPerPixel` 3 (bins) or 1 (indices); pitches may be
// negative. Exposed for the surface form and its tests.
void ModeFilterPixels(unsigned char* dest, std::ptrdiff_t destPitch, const unsigned char* src,
                      std::ptrdiff_t srcPitch, unsigned bytesPerPixel, unsigned radius, unsigned width,
                      unsigned height);

// Lets width x height randomly chosen pixels (the C library's generator, seeded with 1) of the
// area at the top left of `src` sink one row at a time, swapping places, until the pixel below is
// darker (`direction` 0) or brighter (any other direction) or the bottom is reached. The second
// surface plays no part. Brightness: byte 0 + 2 x byte 1 + byte 2, or the palette index.
void SinkSurfacePixels(IDirectDrawSurface* src, IDirectDrawSurface* unused, int direction, unsigned width,
                       unsigned height);
// The same on plain pixel rows; a single row is left as it is.
void SinkPixels(unsigned char* pixels, std::ptrdiff_t pitch, unsigned bytesPerPixel, int direction, unsigned width,
                unsigned height);
