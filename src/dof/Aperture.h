// The depth-of-field blur, as a camera window uses it: a lens model turns the camera's settings
// into a blur map (ApertureMaps.h), then ApertureBlur blurs the rendered surface through it.
#pragma once

#include "dof/ApertureLevels.h"
#include "dof/ApertureMaps.h"
#include "dof/ApertureScratch.h"
#include "platform/ddraw/DirectDraw.h"

// Blurs `src`, a rendered surface with a band of NO_BLUR_BAND_SZ pixels on every side and an
// attached z-buffer of its size, into `dest`, 2 * NO_BLUR_BAND_SZ pixels smaller each way and of
// the same pixel format: RGB of 16 (5:6:5 or 5:5:5), 24 or 32 bits. `map` gives the blur level of
// every 16-bit z value (the top 16 bits of a deeper z-buffer). `sign` and `invert` are reserved and
// must be 0. The three scratch buffers are the blur's working memory, of
// ApertureScratchEntries(src's width, src's height, the map's highest level) entries each; the
// blur allocates nothing. Every other breach is a fatal check; the surfaces are locked only for
// the blur.
void ApertureBlur(LPDIRECTDRAWSURFACE dest, LPDIRECTDRAWSURFACE src, const WORD* map, int sign, int invert,
                  DWORD* fifoRBuf, DWORD* fifoGBuf, DWORD* fifoBBuf);
