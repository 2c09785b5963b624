// DirectDraw surfaces: blocks of pixels in memory with a description, locks, attached z-buffers,
// palettes, clippers and blits.
#pragma once

#include "platform/ddraw/Clipper.h"
#include "platform/ddraw/DDResults.h"
#include "platform/ddraw/Palette.h"
#include "platform/ddraw/SurfaceDesc.h"
#include "platform/win/Com.h"

// Lock flags. Locks always cover the whole surface and never wait, since nothing else draws.
constexpr DWORD DDLOCK_SURFACEMEMORYPTR = 0x00000000;
constexpr DWORD DDLOCK_WAIT = 0x00000001;
constexpr DWORD DDLOCK_READONLY = 0x00000010;
constexpr DWORD DDLOCK_WRITEONLY = 0x00000020;

// Blit flags; either form completes before Blt returns.
constexpr DWORD DDBLT_ASYNC = 0x00000200;
constexpr DWORD DDBLT_WAIT = 0x01000000;

struct DDBLTFX {
  DWORD dwSize;
  DWORD dwFillColor;
};
using LPDDBLTFX = DDBLTFX*;

class IDirectDrawSurface : public IUnknown {
 public:
  // Fills `desc` (its dwSize set by the caller) with DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT |
  // DDSD_PITCH | DDSD_PIXELFORMAT (and DDSD_ZBUFFERBITDEPTH for a z-buffer).
  virtual HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) = 0;
  // Locks the whole surface (`rect` null) and describes it in `desc` with the memory pointer: the
  // lowest address of the pixels (see DDFirstRow). A surface is locked at most once at a time.
  virtual HRESULT Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, LPVOID event) = 0;
  // Ends the lock; `pointer` is null or any address inside the locked pixels.
  virtual HRESULT Unlock(LPVOID pointer) = 0;
  virtual HRESULT IsLost() = 0;
  // Attaches a z-buffer of the same size; the surface holds a reference to it.
  virtual HRESULT AddAttachedSurface(IDirectDrawSurface* attached) = 0;
  // The attached surface whose caps include all of caps->dwCaps, with a reference for the caller.
  virtual HRESULT GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** attached) = 0;
  // Palettes go only to 8-bit palette-indexed surfaces; null detaches.
  virtual HRESULT SetPalette(LPDIRECTDRAWPALETTE palette) = 0;
  virtual HRESULT GetPalette(LPDIRECTDRAWPALETTE* palette) = 0;
  // A clipper on the destination of a blit clips the destination rectangle to the surface.
  virtual HRESULT SetClipper(LPDIRECTDRAWCLIPPER clipper) = 0;
  // Copies `sourceRect` of `source` (null: all of it) onto `destRect` of this surface (null: all
  // of it), stretching with the nearest pixel. Both surfaces have the same pixel format.
  virtual HRESULT Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                      LPDDBLTFX fx) = 0;
  // A device context on the surface, which stays locked until ReleaseDC; the drawing layer reaches
  // its pixels through DDGetDCSurfaceDesc.
  virtual HRESULT GetDC(HDC* dc) = 0;
  virtual HRESULT ReleaseDC(HDC dc) = 0;
};
using LPDIRECTDRAWSURFACE = IDirectDrawSurface*;

// The later interface version adds nothing the program calls; the same object answers for both.
class IDirectDrawSurface3 : public IDirectDrawSurface {};
using LPDIRECTDRAWSURFACE3 = IDirectDrawSurface3*;

inline constexpr IID IID_IDirectDrawSurface = {
    0x6C14DB81, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
inline constexpr IID IID_IDirectDrawSurface3 = {
    0xDA044E00, 0x69B2, 0x11D0, {0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8, 0xDF, 0xBB}};

// The locked description behind a device context from GetDC; false for any other handle.
bool DDGetDCSurfaceDesc(HDC dc, DDSURFACEDESC* desc);
