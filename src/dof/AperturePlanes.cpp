#include "dof/AperturePlanes.h"

namespace {

AperturePlane PlaneOf(const DDSURFACEDESC& desc) {
  return {DDFirstRow(desc), desc.lPitch, desc.dwWidth, desc.dwHeight};
}

}  // namespace

ApertureJob ApertureJobOf(const DDSURFACEDESC& srcDesc, const DDSURFACEDESC& destDesc,
                          const DDSURFACEDESC& zBufDesc, const WORD* map) {
  const DWORD zBits = zBufDesc.dwFlags & DDSD_ZBUFFERBITDEPTH ? zBufDesc.dwZBufferBitDepth : 16;
  return {PlaneOf(srcDesc), PlaneOf(destDesc), PlaneOf(zBufDesc), zBits / 8, map};
}
