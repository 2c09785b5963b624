#include "dof/ApertureKernelImpl.h"
#include "dof/ApertureKernels.h"

template void ApertureBlurPlanes<PixelRgb565>(const ApertureJob&);

void Aperture16_16_F8(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc,
                      const DDSURFACEDESC& zBufDesc, const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf,
                      DWORD* fifoBBuf) {
  XASSERT(srcDesc.ddpfPixelFormat.dwRBitMask == 0x0000F800 && srcDesc.ddpfPixelFormat.dwGBitMask == 0x000007E0 && srcDesc.ddpfPixelFormat.dwBBitMask == 0x0000001F,
          "Unsupported pixel color format");
  ApertureBlurPlanes<PixelRgb565>(ApertureJobOf(srcDesc, destDesc, zBufDesc, map, fifoRBuf, fifoGBuf, fifoBBuf));
}
