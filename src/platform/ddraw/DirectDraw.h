// The DirectDraw object: makes surfaces, palettes and clippers for the one display.
#pragma once

#include "platform/ddraw/Clipper.h"
#include "platform/ddraw/DDResults.h"
#include "platform/ddraw/Palette.h"
#include "platform/ddraw/DDPixelFormat.h"
#include "platform/ddraw/Surface.h"
#include "platform/ddraw/SurfaceDesc.h"

constexpr DWORD DDSCL_NORMAL = 0x00000008;
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x00000001;

class IDirectDraw : public IUnknown {
 public:
  // A primary surface (DDSCAPS_PRIMARYSURFACE, no size or format) is the display's memory, in the
  // display's format and size. Other surfaces need DDSD_WIDTH and DDSD_HEIGHT and take the
  // display's format unless DDSD_PIXELFORMAT is given; a z-buffer (DDSCAPS_ZBUFFER) needs its
  // depth (DDSD_ZBUFFERBITDEPTH: 16, 24 or 32). With DDSD_PITCH the caller picks the pitch; a
  // negative one stores the rows bottom-up. New pixels are zero.
  virtual HRESULT CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface, IUnknown* outer) = 0;
  // flags must include DDPCAPS_8BIT; `entries` holds 256 entries.
  virtual HRESULT CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                                IUnknown* outer) = 0;
  virtual HRESULT CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) = 0;
  // Only the normal (windowed, shared) level exists.
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
  // Returns at once: there is no beam to wait for.
  virtual HRESULT WaitForVerticalBlank(DWORD flags, LPVOID event) = 0;
};
using LPDIRECTDRAW = IDirectDraw*;

// The later interface version adds nothing the program calls; the same object answers for both.
class IDirectDraw2 : public IDirectDraw {};
using LPDIRECTDRAW2 = IDirectDraw2*;

inline constexpr IID IID_IDirectDraw = {
    0x6C14DB80, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
inline constexpr IID IID_IDirectDraw2 = {
    0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

// Makes the DirectDraw object of the display; `driver` and `outer` must be null.
HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);

// The 3D layer answers QueryInterface for its own interfaces (IID_IDirect3D) on a DirectDraw
// object through this hook; it returns E_NOINTERFACE for ids it does not know.
using DDInterfaceExtension = HRESULT (*)(IDirectDraw* owner, REFIID riid, void** object);
DDInterfaceExtension DDSetInterfaceExtension(DDInterfaceExtension extension);
