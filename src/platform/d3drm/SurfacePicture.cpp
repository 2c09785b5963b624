#include "platform/d3drm/SurfacePicture.h"

#include <bit>

#include "platform/ddraw/DirectDraw.h"

namespace d3drm {
namespace {

// One channel of an RGB pixel, widened to 0..255.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const std::uint32_t max = mask >> std::countr_zero(mask);
  return (((pixel & mask) >> std::countr_zero(mask)) * 255 + max / 2) / max;
}

HRESULT Failed(HRESULT result) { return result == DDERR_OUTOFMEMORY ? D3DRMERR_BADALLOC : D3DRMERR_BADOBJECT; }

// The surface's palette as 0x00RRGGBB colours.
HRESULT ReadPalette(IDirectDrawSurface* surface, std::uint32_t colors[256]) {
  IDirectDrawPalette* palette = nullptr;
  if (const HRESULT result = surface->GetPalette(&palette); FAILED(result) || !palette) return Failed(result);
  PALETTEENTRY entries[256];
  const HRESULT result = palette->GetEntries(0, 0, 256, entries);
  palette->Release();
  if (FAILED(result)) return Failed(result);
  for (int i = 0; i < 256; ++i)
    colors[i] = std::uint32_t{entries[i].peRed} << 16 | std::uint32_t{entries[i].peGreen} << 8 | entries[i].peBlue;
  return D3DRM_OK;
}

void Convert(const DDSURFACEDESC& locked, const std::uint32_t* palette, Picture* picture) {
  const DDPIXELFORMAT& format = locked.ddpfPixelFormat;
  const DWORD bytes = DDBytesPerPixel(format);
  const BYTE* first = DDFirstRow(locked);
  std::uint32_t* out = picture->pixels.data();
  for (DWORD y = 0; y < locked.dwHeight; ++y) {
    const BYTE* row = first + static_cast<std::ptrdiff_t>(y) * locked.lPitch;
    for (DWORD x = 0; x < locked.dwWidth; ++x, ++out) {
      const BYTE* p = row + x * bytes;
      if (palette) {
        *out = palette[*p];
        continue;
      }
      std::uint32_t pixel = 0;
      for (DWORD b = 0; b < bytes; ++b) pixel |= std::uint32_t{p[b]} << (8 * b);
      *out = Channel(pixel, format.dwRBitMask) << 16 | Channel(pixel, format.dwGBitMask) << 8 |
             Channel(pixel, format.dwBBitMask);
    }
  }
}

}  // namespace

HRESULT ReadSurfacePicture(IDirectDrawSurface* surface, Picture* picture) {
  DDSURFACEDESC locked{};
  locked.dwSize = sizeof locked;
  if (const HRESULT result =
          surface->Lock(nullptr, &locked, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, nullptr);
      FAILED(result))
    return Failed(result);

  HRESULT result = D3DRM_OK;
  std::uint32_t palette[256];
  const DDPIXELFORMAT& format = locked.ddpfPixelFormat;
  const bool indexed = format.dwFlags & DDPF_PALETTEINDEXED8;
  if (!DDIsColourFormat(format)) {
    result = D3DRMERR_BADOBJECT;
  } else if (indexed) {
    result = ReadPalette(surface, palette);
  }
  if (result == D3DRM_OK) {
    picture->width = locked.dwWidth;
    picture->height = locked.dwHeight;
    picture->pixels.resize(std::size_t{locked.dwWidth} * locked.dwHeight);
    Convert(locked, indexed ? palette : nullptr, picture);
  }
  surface->Unlock(locked.lpSurface);
  return result;
}

}  // namespace d3drm
