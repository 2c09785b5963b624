// Making surfaces from a requested description.
#include <new>

#include "platform/ddraw/Display.h"
#include "platform/ddraw/SurfaceImpl.h"

namespace ddraw {

namespace {

constexpr DWORD kMaxSide = 16384;
constexpr std::uint64_t kMaxBytes = std::uint64_t{1} << 30;

DDSURFACEDESC EmptyShape() {
  DDSURFACEDESC shape;
  std::memset(&shape, 0, sizeof shape);
  return shape;
}

HRESULT PrimaryShape(const DDSURFACEDESC& request, DDSURFACEDESC* shape) {
  if (request.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_ZBUFFERBITDEPTH))
    return DDERR_INVALIDPARAMS;
  if (request.ddsCaps.dwCaps & (DDSCAPS_ZBUFFER | DDSCAPS_SYSTEMMEMORY)) return DDERR_INVALIDCAPS;
  const SIZE size = DDDisplaySize();
  shape->dwWidth = static_cast<DWORD>(size.cx);
  shape->dwHeight = static_cast<DWORD>(size.cy);
  shape->ddpfPixelFormat = DDDisplayPixelFormat();
  shape->ddsCaps.dwCaps = request.ddsCaps.dwCaps | DDSCAPS_VIDEOMEMORY;
  shape->lPitch = AlignedPitch(shape->dwWidth, DDBytesPerPixel(shape->ddpfPixelFormat));
  return DD_OK;
}

// A z-buffer's depth comes from DDSD_ZBUFFERBITDEPTH or a DDPF_ZBUFFER format; both must agree.
HRESULT ZBufferFormat(const DDSURFACEDESC& request, DDSURFACEDESC* shape) {
  DWORD depth = 0;
  if (request.dwFlags & DDSD_PIXELFORMAT) {
    if (request.ddpfPixelFormat.dwFlags != DDPF_ZBUFFER) return DDERR_INVALIDPIXELFORMAT;
    depth = request.ddpfPixelFormat.dwRGBBitCount;
  }
  if (request.dwFlags & DDSD_ZBUFFERBITDEPTH) {
    if (depth && depth != request.dwZBufferBitDepth) return DDERR_INVALIDPARAMS;
    depth = request.dwZBufferBitDepth;
  }
  if (depth != 16 && depth != 24 && depth != 32) return DDERR_INVALIDPARAMS;
  shape->dwFlags |= DDSD_ZBUFFERBITDEPTH;
  shape->dwZBufferBitDepth = depth;
  shape->ddpfPixelFormat = DDMakeZBufferFormat(depth);
  return DD_OK;
}

HRESULT OffscreenShape(const DDSURFACEDESC& request, DDSURFACEDESC* shape) {
  if ((request.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT) || request.dwWidth == 0 ||
      request.dwHeight == 0 || request.dwWidth > kMaxSide || request.dwHeight > kMaxSide)
    return DDERR_INVALIDPARAMS;
  shape->dwWidth = request.dwWidth;
  shape->dwHeight = request.dwHeight;
  DWORD caps = request.ddsCaps.dwCaps;
  if (caps & DDSCAPS_ZBUFFER) {
    if (HRESULT result = ZBufferFormat(request, shape)) return result;
  } else if (request.dwFlags & DDSD_PIXELFORMAT) {
    if (!DDIsColourFormat(request.ddpfPixelFormat)) return DDERR_INVALIDPIXELFORMAT;
    shape->ddpfPixelFormat = request.ddpfPixelFormat;
  } else {
    shape->ddpfPixelFormat = DDDisplayPixelFormat();
  }
  if (!(caps & DDSCAPS_VIDEOMEMORY)) caps |= DDSCAPS_SYSTEMMEMORY;
  shape->ddsCaps.dwCaps = caps;

  const LONG packed = static_cast<LONG>(shape->dwWidth * DDBytesPerPixel(shape->ddpfPixelFormat));
  shape->lPitch = AlignedPitch(shape->dwWidth, DDBytesPerPixel(shape->ddpfPixelFormat));
  if (request.dwFlags & DDSD_PITCH) {
    // A caller's pitch holds at least one packed row; a negative one stores the rows bottom-up.
    const std::int64_t magnitude = request.lPitch < 0 ? -std::int64_t{request.lPitch} : request.lPitch;
    if (magnitude < packed) return DDERR_INVALIDPARAMS;
    shape->lPitch = request.lPitch;
  }
  return DD_OK;
}

}  // namespace

HRESULT CreateSurface(const DDSURFACEDESC* desc, LPDIRECTDRAWSURFACE* surface) {
  if (!surface || !DDValidDescSize(desc)) return DDERR_INVALIDPARAMS;
  *surface = nullptr;
  if (HRESULT fault = TakeFault(DDCall::Create)) return fault;
  DDSURFACEDESC request = *desc;
  if (!(request.dwFlags & DDSD_CAPS)) request.ddsCaps.dwCaps = 0;
  const DWORD caps = request.ddsCaps.dwCaps;
  if ((caps & DDSCAPS_SYSTEMMEMORY) && (caps & DDSCAPS_VIDEOMEMORY)) return DDERR_INVALIDCAPS;

  DDSURFACEDESC shape = EmptyShape();
  const bool primary = caps & DDSCAPS_PRIMARYSURFACE;
  if (HRESULT result = primary ? PrimaryShape(request, &shape) : OffscreenShape(request, &shape)) return result;
  shape.dwFlags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;

  const std::int64_t magnitude = shape.lPitch < 0 ? -std::int64_t{shape.lPitch} : shape.lPitch;
  const std::uint64_t bytes = static_cast<std::uint64_t>(magnitude) * shape.dwHeight;
  if (bytes > kMaxBytes) return DDERR_OUTOFMEMORY;
  std::shared_ptr<BYTE[]> memory =
      primary ? DisplayMemory(bytes) : std::shared_ptr<BYTE[]>(new (std::nothrow) BYTE[bytes]());
  if (!memory) return DDERR_OUTOFMEMORY;
  auto* created = new (std::nothrow) SurfaceImpl(shape, std::move(memory), bytes);
  if (!created) return DDERR_OUTOFMEMORY;
  *surface = created;
  return DD_OK;
}

}  // namespace ddraw
