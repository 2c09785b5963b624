#include "dof/ApertureKernelImpl.h"
#include "dof/ApertureKernels.h"

template void ApertureBlurPlanes<PixelRgb555>(const ApertureJob&);

void Aperture16_16_7C(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc,
                      const DDSURFACEDESC& zBufDesc, const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf,
                      DWORD* fifoBBuf) {
  XASSERT(srcDesc.ddpfPixelFormat.dwRBitMask == 0x00007C00 && srcDesc.ddpfPixelFormat.dwGBitMask == 0x000003E0 && srcDesc.ddpfPixelFormat.dwBBitMask == 0x0000001F,
          "Unsupported pixel color format");
  ApertureBlurPlanes<PixelRgb555>(ApertureJobOf(srcDesc, destDesc, zBufDesc, map, fifoRBuf, fifoGBuf, fifoBBuf));
}
