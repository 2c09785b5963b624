// DirectDraw clippers. There is no window system in this layer: a clipper only remembers the
// window it is bound to, and a blit through it is clipped to the destination surface.
#pragma once

#include "platform/win/Com.h"

class IDirectDrawClipper : public IUnknown {
 public:
  // Binds the clipper to a window (null unbinds it); flags must be 0.
  virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
  virtual HRESULT GetHWnd(HWND* window) = 0;
};
using LPDIRECTDRAWCLIPPER = IDirectDrawClipper*;

inline constexpr IID IID_IDirectDrawClipper = {
    0x6C14DB85, 0xA733, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

// Makes a clipper without a DirectDraw object; flags must be 0 and `outer` null.
HRESULT DirectDrawCreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer);
