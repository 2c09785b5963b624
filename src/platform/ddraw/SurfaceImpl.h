// Inside the layer: the surface object and the creation functions the DirectDraw object calls.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/ddraw/DDComObject.h"
#include "platform/ddraw/Surface.h"
#include "platform/win/ComPtr.h"

namespace ddraw {

class SurfaceImpl final : public DDComObject<IDirectDrawSurface3> {
 public:
  SurfaceImpl(const DDSURFACEDESC& shape, std::shared_ptr<BYTE[]> memory, std::size_t bytes);

  HRESULT QueryInterface(REFIID riid, void** object) override;
  HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) override;
  HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, LPVOID event) override;
  HRESULT Unlock(LPVOID pointer) override;
  HRESULT IsLost() override;
  HRESULT AddAttachedSurface(IDirectDrawSurface* attached) override;
  HRESULT GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** attached) override;
  HRESULT SetPalette(LPDIRECTDRAWPALETTE palette) override;
  HRESULT GetPalette(LPDIRECTDRAWPALETTE* palette) override;
  HRESULT SetClipper(LPDIRECTDRAWCLIPPER clipper) override;
  HRESULT Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
              LPDDBLTFX fx) override;
  HRESULT GetDC(HDC* dc) override;
  HRESULT ReleaseDC(HDC dc) override;

  // Fills every field but dwSize; lpSurface is the pixels' lowest address when `withMemory`.
  void Describe(DDSURFACEDESC* desc, bool withMemory) const;

 private:
  ~SurfaceImpl() override;

  bool Lost() const;
  bool Busy() const { return locked_ || dc_; }
  DWORD Caps() const { return shape_.ddsCaps.dwCaps; }
  RECT Bounds() const;
  const BYTE* Lowest() const { return memory_.get(); }
  BYTE* Row(LONG y) const;

  DDSURFACEDESC shape_;  // flags, size, pitch, depth, format and caps; never a memory pointer
  std::shared_ptr<BYTE[]> memory_;
  std::size_t bytes_;
  unsigned generation_;
  bool locked_ = false;
  bool dc_ = false;
  ComPtr<SurfaceImpl> zBuffer_;
  ComPtr<IDirectDrawPalette> palette_;
  ComPtr<IDirectDrawClipper> clipper_;
};

HRESULT CreateSurface(const DDSURFACEDESC* desc, LPDIRECTDRAWSURFACE* surface);
HRESULT CreatePalette(DWORD flags, const PALETTEENTRY* entries, LPDIRECTDRAWPALETTE* palette);

// The memory of the display for a new primary surface: shared by every primary made in the same
// display mode. Null when it cannot be allocated.
std::shared_ptr<BYTE[]> DisplayMemory(std::size_t bytes);
void NotifyPrimaryBlt(IDirectDrawSurface* primary, HWND window, const RECT& dest);

// Bytes of a row without padding, rounded up to a multiple of 4 as rows are aligned.
inline LONG AlignedPitch(DWORD width, DWORD bytesPerPixel) {
  return static_cast<LONG>((width * bytesPerPixel + 3) & ~3u);
}

}  // namespace ddraw
