// What the DirectX checks ask of the system: its version record, whether a library offers an
// entry, the library's DirectDraw, and the Direct3D of a DirectDraw object with its device
// search. The built-in probe answers for this system; tests install their own.
#pragma once

#include "platform/ddraw/DirectDraw.h"

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;  // 148
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;  // the build in the low 16 bits
  DWORD dwPlatformId;
  char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

// The Direct3D device search, as far as the program uses it.
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

class DirectXProbe {
 public:
  virtual ~DirectXProbe() = default;
  // FALSE when the record's size is not 148.
  virtual BOOL GetVersionEx(OSVERSIONINFOA* info) = 0;
  virtual bool HasLibraryEntry(const char* library, const char* entry) = 0;
  // The DirectDrawCreate of the DirectDraw library.
  virtual HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) = 0;
  // The Direct3D of `directDraw` (IID_IDirect3D), with a reference for the caller.
  virtual HRESULT QueryDirect3D(IDirectDraw* directDraw, IDirect3D** direct3D) = 0;
};

// This system: its DirectX is the program's own DirectDraw layer, which offers the DirectX 5
// interfaces. The version record describes a system on which that must be probed (a Windows
// 95-family build older than the releases that came with DirectX), so the checks run the whole
// probe against the layer. Its Direct3D finds only the software RGB device.
class SystemDirectXProbe : public DirectXProbe {
 public:
  BOOL GetVersionEx(OSVERSIONINFOA* info) override;
  bool HasLibraryEntry(const char* library, const char* entry) override;
  HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) override;
  HRESULT QueryDirect3D(IDirectDraw* directDraw, IDirect3D** direct3D) override;
};

// Installs `probe` (nullptr restores the built-in one) and returns the previous one.
DirectXProbe* SetDirectXProbe(DirectXProbe* probe);
DirectXProbe& CurrentDirectXProbe();
