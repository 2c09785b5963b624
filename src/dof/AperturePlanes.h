// The blur kernels over locked memory: every destination pixel becomes the rounded average of the
// window of its blur level around the matching source pixel, whose level the map gives for the
// pixel's z value.
#pragma once

#include "dof/AperturePixels.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/win/WinTypes.h"

// One locked surface as the kernels walk it: rows from the first (top) row to the last, each
// `pitch` bytes (signed) after the one before.
struct AperturePlane {
  BYTE* firstRow;
  LONG pitch;
  DWORD width;
  DWORD height;
};

// One blur. The source carries a band of NO_BLUR_BAND_SZ pixels on every side around the picture;
// the destination is the picture's size; the z-buffer has the source's size. A z value of 3 or 4
// bytes is looked up by its top 16 bits. Destination memory is not source memory. The three
// scratch buffers hold ApertureScratchEntries(src.width, src.height, the map's highest level)
// entries each.
struct ApertureJob {
  AperturePlane src;
  AperturePlane dest;
  AperturePlane zBuf;
  unsigned zBytes;
  const WORD* map;
  DWORD* scratch[3];
};

template <class Pixel>
void ApertureBlurPlanes(const ApertureJob& job);

extern template void ApertureBlurPlanes<PixelRgb32>(const ApertureJob&);
extern template void ApertureBlurPlanes<PixelRgb24>(const ApertureJob&);
extern template void ApertureBlurPlanes<PixelRgb555>(const ApertureJob&);
extern template void ApertureBlurPlanes<PixelRgb565>(const ApertureJob&);

// The highest level of a blur map.
unsigned ApertureHighestLevel(const WORD* map);

// The job of a kernel call on three locked surfaces, each walked from its first row; the z-buffer's
// bytes per value come from its depth when the description gives one, else 2.
ApertureJob ApertureJobOf(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc,
                          const DDSURFACEDESC& zBufDesc, const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf,
                          DWORD* fifoBBuf);
