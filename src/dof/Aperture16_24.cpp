#include "dof/ApertureKernelImpl.h"
#include "dof/ApertureKernels.h"

template void ApertureBlurPlanes<PixelRgb24>(const ApertureJob&);

void Aperture16_24(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc, const DDSURFACEDESC& zBufDesc,
                   const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf, DWORD* fifoBBuf) {
  ApertureBlurPlanes<PixelRgb24>(ApertureJobOf(srcDesc, destDesc, zBufDesc, map, fifoRBuf, fifoGBuf, fifoBBuf));
}
