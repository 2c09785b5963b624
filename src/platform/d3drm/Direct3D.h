// Direct3D as the start-up checks see it: the object a DirectDraw object answers for
// IID_IDirect3D, and its device search. This system has one device: RGB, in software.
#pragma once

#include "platform/ddraw/DirectDraw.h"
#include "platform/win/Com.h"

using D3DCOLORMODEL = DWORD;
constexpr D3DCOLORMODEL D3DCOLOR_RGB = 2;

constexpr DWORD D3DDD_COLORMODEL = 0x001;
constexpr DWORD D3DDD_DEVICERENDERBITDEPTH = 0x080;
constexpr DWORD D3DDD_DEVICEZBUFFERBITDEPTH = 0x100;

struct D3DDEVICEDESC {
  DWORD dwSize;
  DWORD dwFlags;  // D3DDD_*: the fields that are valid; 0 for no device
  D3DCOLORMODEL dcmColorModel;
  DWORD dwDeviceRenderBitDepth;   // DDBD_* the device renders at
  DWORD dwDeviceZBufferBitDepth;  // DDBD_* of its z-buffers
};

constexpr DWORD D3DFDS_COLORMODEL = 0x1;
constexpr DWORD D3DFDS_GUID = 0x2;
constexpr DWORD D3DFDS_HARDWARE = 0x4;

struct D3DFINDDEVICESEARCH {
  DWORD dwSize;   // 92
  DWORD dwFlags;  // D3DFDS_*: the fields that take part in the search
  BOOL bHardware;
  D3DCOLORMODEL dcmColorModel;
  GUID guid;
};

struct D3DFINDDEVICERESULT {
  DWORD dwSize;  // 428
  GUID guid;
  D3DDEVICEDESC ddHwDesc;  // dwFlags 0 when the device found is not hardware
  D3DDEVICEDESC ddSwDesc;
};

class IDirect3D : public IUnknown {
 public:
  // The device that best matches `search`.
  virtual HRESULT FindDevice(D3DFINDDEVICESEARCH* search, D3DFINDDEVICERESULT* result) = 0;
};

inline constexpr IID IID_IDirect3D = {0x3BBA0080, 0x2421, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
inline constexpr GUID IID_IDirect3DRGBDevice = {
    0xA4665C60, 0x2673, 0x11CF, {0xA3, 0x1A, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

// From now on every DirectDraw object answers QueryInterface(IID_IDirect3D) with a Direct3D.
void Direct3DInstall();
