// The blur kernels, one per pixel format, over three locked surfaces: the source (the rendered
// picture with a band of NO_BLUR_BAND_SZ pixels on every side), the destination (the picture's
// size) and the source's z-buffer. Every destination pixel becomes the rounded average of the
// window of its blur level, which the map gives for the pixel's z value.
//
// z values are looked up by 16 bits: a z-buffer of 24 or 32 bits (DDSD_ZBUFFERBITDEPTH) by the top
// 16 bits of each value. The kernels keep their sums in the three scratch buffers, of
// ApertureScratchEntries entries each (ApertureScratch.h), and allocate nothing.
#pragma once

#include "platform/ddraw/DirectDraw.h"

// 32 bits per pixel, channels in bits 16-23, 8-15 and 0-7; bits 24-31 of a blurred pixel are 0.
void Aperture16_32(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc, const DDSURFACEDESC& zBufDesc,
                   const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf, DWORD* fifoBBuf);
// 24 bits per pixel, one channel per byte.
void Aperture16_24(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc, const DDSURFACEDESC& zBufDesc,
                   const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf, DWORD* fifoBBuf);
// 16 bits per pixel, 5:5:5 (red mask 0x7C00); bit 15 of a blurred pixel is 0.
void Aperture16_16_7C(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc,
                      const DDSURFACEDESC& zBufDesc, const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf,
                      DWORD* fifoBBuf);
// 16 bits per pixel, 5:6:5 (red mask 0xF800).
void Aperture16_16_F8(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc,
                      const DDSURFACEDESC& zBufDesc, const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf,
                      DWORD* fifoBBuf);
