#include "dof/Aperture.h"

#include <cstddef>
#include <cstring>

#include "core/FatalError.h"
#include "core/Pointers.h"
#include "dof/ApertureKernels.h"

namespace {

// A surface's description, retried while memory is short.
DDSURFACEDESC DescriptionOf(IDirectDrawSurface* surface) {
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = kDDSurfaceDescSize;
  XCHECK_DD(surface->GetSurfaceDesc( &desc ));
  return desc;
}

// Unlocks a surface the blur locked when a fatal check unwinds the blur before its own unlocks.
class LockGuard {
 public:
  explicit LockGuard(IDirectDrawSurface* surface) : surface_(surface) {}
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;
  ~LockGuard() {
    if (memory_) surface_->Unlock(memory_);
  }
  void Locked(LPVOID memory) { memory_ = memory; }
  void Unlocked() { memory_ = nullptr; }

 private:
  IDirectDrawSurface* surface_;
  LPVOID memory_ = nullptr;
};

// Locks through `lock`, which locks one surface whole into the description it is given, and points
// `desc` at the locked memory.
template <class LockCall>
void LockInto(DDSURFACEDESC& desc, LockGuard& guard, LockCall lock) {
  DDSURFACEDESC surfDesc;
  std::memset(&surfDesc, 0, sizeof surfDesc);
  surfDesc.dwSize = kDDSurfaceDescSize;
  lock(surfDesc);
  guard.Locked(surfDesc.lpSurface);
  desc.lpSurface = surfDesc.lpSurface;
  desc.lPitch = surfDesc.lPitch;
}

}  // namespace

void ApertureBlur(LPDIRECTDRAWSURFACE dest, LPDIRECTDRAWSURFACE src, const WORD* map, int sign, int invert,
                  DWORD* fifoRBuf, DWORD* fifoGBuf, DWORD* fifoBBuf) {
  XASSERT(dest, "");
  XASSERT(src, "");
  XASSERT(dest != src, "Must be unique surfaces since we write dest pixels that may be read again from source");
  XASSERT(map, "");
  XASSERT(!sign, "Not yet supported");
  XASSERT(!invert, "Not yet supported");
  XASSERT(fifoRBuf, "");
  XASSERT(fifoGBuf, "");
  XASSERT(fifoBBuf, "");

  DDSURFACEDESC srcDesc = DescriptionOf(src);
  DDSURFACEDESC destDesc = DescriptionOf(dest);
  XASSERT((srcDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT),
          "");
  XASSERT((destDesc.dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT),
          "");
  XASSERT(srcDesc.dwWidth > 2*NO_BLUR_BAND_SZ && srcDesc.dwHeight > 2*NO_BLUR_BAND_SZ,
          "Source is too small to create any output in destination");
  XASSERT(destDesc.dwWidth == srcDesc.dwWidth - 2*NO_BLUR_BAND_SZ && destDesc.dwHeight == srcDesc.dwHeight - 2*NO_BLUR_BAND_SZ,
          "Destination not the correct size");
  XASSERT(!memcmp( &srcDesc.ddpfPixelFormat, &destDesc.ddpfPixelFormat, sizeof srcDesc.ddpfPixelFormat ),
          "Source and destination do not have same color format");
  XASSERT(srcDesc.ddpfPixelFormat.dwFlags == DDPF_RGB, "Unsupported pixel color format");
  XASSERT(srcDesc.ddpfPixelFormat.dwRGBBitCount == 16 || srcDesc.ddpfPixelFormat.dwRGBBitCount == 24 || srcDesc.ddpfPixelFormat.dwRGBBitCount == 32,
          "Unsupported pixel color bit depth format");
  if (srcDesc.ddpfPixelFormat.dwRGBBitCount == 16)
    XASSERT((srcDesc.ddpfPixelFormat.dwRBitMask == 0x0000F800 && srcDesc.ddpfPixelFormat.dwGBitMask == 0x000007E0 && srcDesc.ddpfPixelFormat.dwBBitMask == 0x0000001F) || (srcDesc.ddpfPixelFormat.dwRBitMask == 0x00007C00 && srcDesc.ddpfPixelFormat.dwGBitMask == 0x000003E0 && srcDesc.ddpfPixelFormat.dwBBitMask == 0x0000001F),
            "Unsupported pixel color format");
  else
    XASSERT((srcDesc.ddpfPixelFormat.dwRBitMask == 0x00FF0000 && srcDesc.ddpfPixelFormat.dwGBitMask == 0x0000FF00 && srcDesc.ddpfPixelFormat.dwBBitMask == 0x000000FF) || (srcDesc.ddpfPixelFormat.dwRBitMask == 0x000000FF && srcDesc.ddpfPixelFormat.dwGBitMask == 0x0000FF00 && srcDesc.ddpfPixelFormat.dwBBitMask == 0x00FF0000),
            "Unsupported pixel color format");

  // Locked in the order source, destination, z-buffer; unlocked the other way round.
  LockGuard srcLock(src);
  LockInto(srcDesc, srcLock, [&](DDSURFACEDESC& surfDesc) {
    XCHECK_DD(src->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL ));
  });
  LockGuard destLock(dest);
  LockInto(destDesc, destLock, [&](DDSURFACEDESC& surfDesc) {
    XCHECK_DD(dest->Lock( NULL, &surfDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL ));
  });

  IUPtr<IDirectDrawSurface> zBuf;
  DDSCAPS zBufCaps;
  zBufCaps.dwCaps = DDSCAPS_ZBUFFER;
  XCHECK_DD(src->GetAttachedSurface( &zBufCaps, &zBuf ));
  DDSURFACEDESC zBufDesc = DescriptionOf(zBuf);
  XASSERT((zBufDesc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH)) == (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_ZBUFFERBITDEPTH),
          "");
  XASSERT(srcDesc.dwWidth == zBufDesc.dwWidth && srcDesc.dwHeight == zBufDesc.dwHeight,
          "Source and attached z-buffer are not same size");
  XASSERT(zBufDesc.dwZBufferBitDepth == 16 || zBufDesc.dwZBufferBitDepth == 24 || zBufDesc.dwZBufferBitDepth == 32,
          "Unsupport z-buffer bit depth");
  LockGuard zLock(zBuf);
  LockInto(zBufDesc, zLock, [&](DDSURFACEDESC& surfDesc) {
    XCHECK_DD(zBuf->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL ));
  });

  // Every z-buffer depth is blurred, by the top 16 bits of its values.
  if (srcDesc.ddpfPixelFormat.dwRGBBitCount == 32)
    Aperture16_32(srcDesc, destDesc, zBufDesc, map, fifoRBuf, fifoGBuf, fifoBBuf);
  else if (srcDesc.ddpfPixelFormat.dwRGBBitCount == 24)
    Aperture16_24(srcDesc, destDesc, zBufDesc, map, fifoRBuf, fifoGBuf, fifoBBuf);
  else if (srcDesc.ddpfPixelFormat.dwRBitMask == 0x00007C00)
    Aperture16_16_7C(srcDesc, destDesc, zBufDesc, map, fifoRBuf, fifoGBuf, fifoBBuf);
  else
    Aperture16_16_F8(srcDesc, destDesc, zBufDesc, map, fifoRBuf, fifoGBuf, fifoBBuf);

  XCHECK_DD(zBuf->Unlock( zBufDesc.lpSurface ));
  zLock.Unlocked();
  XCHECK_DD(dest->Unlock( destDesc.lpSurface ));
  destLock.Unlocked();
  XCHECK_DD(src->Unlock( srcDesc.lpSurface ));
  srcLock.Unlocked();
}
