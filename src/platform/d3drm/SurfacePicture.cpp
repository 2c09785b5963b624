#include "platform/d3drm/SurfacePicture.h"

#include <bit>
#include <cstdint>
#include <vector>

#include "platform/ddraw/DirectDraw.h"

namespace d3drm {
namespace {

// One channel of an RGB pixel, widened to 0..255: (value * 255 + max / 2) / max. Channels of up
// to 12 bits read a table of every value they can hold, so a picture costs no division per pixel.
class ChannelWidener {
 public:
  explicit ChannelWidener(std::uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask ? mask >> shift_ : 0) {
    if (mask_ == 0 || max_ > kTableLimit) return;
    table_.resize(max_ + 1);
    for (std::uint32_t value = 0; value <= max_; ++value) table_[value] = static_cast<std::uint8_t>(Widen(value));
  }

  std::uint32_t operator()(std::uint32_t pixel) const {
    if (mask_ == 0) return 0;
    const std::uint32_t value = (pixel & mask_) >> shift_;
    return table_.empty() ? Widen(value) : table_[value];
  }

 private:
  static constexpr std::uint32_t kTableLimit = 0xFFF;
  std::uint32_t Widen(std::uint32_t value) const { return (value * 255 + max_ / 2) / max_; }

  std::uint32_t mask_;
  int shift_;
  std::uint32_t max_;
  std::vector<std::uint8_t> table_;
};

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

// The byte of a pixel that holds a whole 8-bit channel, or -1 when the channel is laid out otherwise.
int WholeByteOf(std::uint32_t mask, DWORD bytes) {
  if (mask == 0) return -1;
  const int shift = std::countr_zero(mask);
  const bool whole = shift % 8 == 0 && mask >> shift == 0xFF && static_cast<DWORD>(shift / 8) < bytes;
  return whole ? shift / 8 : -1;
}

void ConvertPaletted(const DDSURFACEDESC& locked, const std::uint32_t* palette, std::uint32_t* out) {
  const BYTE* first = DDFirstRow(locked);
  for (DWORD y = 0; y < locked.dwHeight; ++y) {
    const BYTE* row = first + static_cast<std::ptrdiff_t>(y) * locked.lPitch;
    for (DWORD x = 0; x < locked.dwWidth; ++x) *out++ = palette[row[x]];
  }
}

// Pictures whose channels are whole bytes (every 24- and 32-bit layout) copy bytes.
template <DWORD kBytes>
void ConvertWholeBytes(const DDSURFACEDESC& locked, int red, int green, int blue, std::uint32_t* out) {
  const BYTE* first = DDFirstRow(locked);
  for (DWORD y = 0; y < locked.dwHeight; ++y) {
    const BYTE* p = first + static_cast<std::ptrdiff_t>(y) * locked.lPitch;
    for (DWORD x = 0; x < locked.dwWidth; ++x, p += kBytes)
      *out++ = std::uint32_t{p[red]} << 16 | std::uint32_t{p[green]} << 8 | p[blue];
  }
}

void ConvertMasked(const DDSURFACEDESC& locked, std::uint32_t* out) {
  const DDPIXELFORMAT& format = locked.ddpfPixelFormat;
  const DWORD bytes = DDBytesPerPixel(format);
  const ChannelWidener red(format.dwRBitMask), green(format.dwGBitMask), blue(format.dwBBitMask);
  const BYTE* first = DDFirstRow(locked);
  for (DWORD y = 0; y < locked.dwHeight; ++y) {
    const BYTE* row = first + static_cast<std::ptrdiff_t>(y) * locked.lPitch;
    for (DWORD x = 0; x < locked.dwWidth; ++x) {
      const BYTE* p = row + x * bytes;
      std::uint32_t pixel = 0;
      for (DWORD b = 0; b < bytes; ++b) pixel |= std::uint32_t{p[b]} << (8 * b);
      *out++ = red(pixel) << 16 | green(pixel) << 8 | blue(pixel);
    }
  }
}

void Convert(const DDSURFACEDESC& locked, const std::uint32_t* palette, Picture* picture) {
  std::uint32_t* out = picture->pixels.data();
  if (palette) return ConvertPaletted(locked, palette, out);
  const DDPIXELFORMAT& format = locked.ddpfPixelFormat;
  const DWORD bytes = DDBytesPerPixel(format);
  const int red = WholeByteOf(format.dwRBitMask, bytes), green = WholeByteOf(format.dwGBitMask, bytes),
            blue = WholeByteOf(format.dwBBitMask, bytes);
  if (red < 0 || green < 0 || blue < 0) return ConvertMasked(locked, out);
  if (bytes == 3) return ConvertWholeBytes<3>(locked, red, green, blue, out);
  if (bytes == 4) return ConvertWholeBytes<4>(locked, red, green, blue, out);
  ConvertMasked(locked, out);
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
