#include "dof/AperturePlanes.h"

#include <algorithm>

#include "dof/ApertureMaps.h"
#include "dof/ApertureVectors.h"

namespace {

AperturePlane PlaneOf(const DDSURFACEDESC& desc) {
  return {DDFirstRow(desc), desc.lPitch, desc.dwWidth, desc.dwHeight};
}

}  // namespace

unsigned ApertureHighestLevel(const WORD* map) {
  using aperture_kernel::U16x8;
  U16x8 highest{};
  for (DWORD z = 0; z < kApertureMapSize; z += 8) {
    const U16x8 levels = aperture_kernel::LoadVector<U16x8>(map + z);
    highest = highest > levels ? highest : levels;
  }
  WORD result = 0;
  for (int lane = 0; lane < 8; ++lane) result = std::max(result, WORD{highest[lane]});
  return result;
}

ApertureJob ApertureJobOf(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc,
                          const DDSURFACEDESC& zBufDesc, const WORD* map, DWORD* fifoRBuf, DWORD* fifoGBuf,
                          DWORD* fifoBBuf) {
  const DWORD zBits = zBufDesc.dwFlags & DDSD_ZBUFFERBITDEPTH ? zBufDesc.dwZBufferBitDepth : 16;
  return {PlaneOf(srcDesc), PlaneOf(destDesc), PlaneOf(zBufDesc), zBits / 8, map, {fifoRBuf, fifoGBuf, fifoBBuf}};
}
