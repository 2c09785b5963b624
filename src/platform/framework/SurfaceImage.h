// A QImage over the pixels of a locked DirectDraw surface, sharing its memory (no copy).
#pragma once

#include <QImage>

#include "platform/ddraw/Surface.h"

// The image of `locked` (a description returned by Lock), or a null image for a format Qt cannot
// show. Rows stored bottom-up come out upside down: `bottomUp` tells the caller to flip them.
// An 8-bit image takes its colours from the surface's palette (the display's palette without one).
QImage SurfaceImage(const DDSURFACEDESC& locked, IDirectDrawSurface* surface, bool* bottomUp);
