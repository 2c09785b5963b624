#include "core/DirectX.h"

#include "core/FatalError.h"
#include "core/PreferenceKeys.h"
#include "platform/win/SystemInfo.h"

namespace {

constexpr DWORD kSearchSize = 92;
constexpr DWORD kResultSize = 428;
constexpr WORD kFirstBuildWithDirectX5 = 1354;

bool HasDirectInput(DirectXProbe& probe) { return probe.HasLibraryEntry("DINPUT.DLL", "DirectInputCreateA"); }

// The DirectDraw steps: each interface the system offers raises the version. The holders release
// everything obtained when the probe ends.
void ProbeDirectDraw(DirectXProbe& probe, DWORD* version, DWORD* platform) {
  IUPtr<IDirectDraw> directDraw;
  if (FAILED(probe.DirectDrawCreate(nullptr, &directDraw, nullptr))) {
    *version = *platform = 0;
    return;
  }
  *version = 0x100;
  {
    IUPtr<IDirectDraw2> directDraw2;
    if (FAILED(directDraw->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&directDraw2)))) return;
  }
  *version = 0x200;
  if (!HasDirectInput(probe)) return;
  *version = 0x300;
  if (FAILED(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL))) {
    *version = 0;
    return;
  }
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  IUPtr<IDirectDrawSurface> primary;
  if (FAILED(directDraw->CreateSurface(&desc, &primary, nullptr))) {
    *version = 0;
    return;
  }
  IUPtr<IDirectDrawSurface3> primary3;
  if (FAILED(primary->QueryInterface(IID_IDirectDrawSurface3, reinterpret_cast<void**>(&primary3)))) return;
  *version = 0x500;
}

void FindDevice(IDirect3D* lpD3D, D3DFINDDEVICESEARCH& search, D3DFINDDEVICERESULT& result) {
  result = {};
  result.dwSize = kResultSize;
  XGuardedCall([&] { return lpD3D->FindDevice(&search, &result); }, kDDShortage, &XAssertDDFailed, __FILE__,
               __LINE__, __DATE__, __TIME__, "lpD3D->FindDevice( &search, &result )");
}

}  // namespace

void XGetDXVersion(DWORD* version, DWORD* platform) {
  *version = 0;
  *platform = 0;
  DirectXProbe& probe = CurrentDirectXProbe();
  OSVERSIONINFOA system{};
  system.dwOSVersionInfoSize = sizeof system;
  if (!probe.GetVersionEx(&system)) return;

  if (system.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    *platform = 2;
    if (system.dwMajorVersion < 4) {
      *platform = 0;
    } else if (system.dwMajorVersion == 4) {
      *version = HasDirectInput(probe) ? 0x300 : 0x200;
    } else {
      *version = 0x501;
    }
    return;
  }
  *platform = 1;
  if (LOWORD(system.dwBuildNumber) >= kFirstBuildWithDirectX5) {
    *version = 0x501;
    return;
  }
  if (!probe.HasLibraryEntry("DDRAW.DLL", "DirectDrawCreate")) {
    *version = *platform = 0;
    return;
  }
  ProbeDirectDraw(probe, version, platform);
}

const D3DFINDDEVICERESULT* XFindD3DDevice(IUPtr<IDirectDraw> lpDD, BOOL softwareOnly) {
  static D3DFINDDEVICERESULT result;
  if (!softwareOnly) softwareOnly = XGetPrefBool(XPref::SOFTWARE_ONLY_DRIVER);
  HDC screen = GetDC(nullptr);
  const int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  XASSERT(lpDD, "");

  IUPtr<IDirect3D> lpD3D;
  XGuardedCall([&] { return CurrentDirectXProbe().QueryDirect3D(lpDD, &lpD3D); }, kDDShortage, &XAssertDDFailed,
               __FILE__, __LINE__, __DATE__, __TIME__, "lpDD->QueryInterface( IID_IDirect3D, (void**)&lpD3D )");

  D3DFINDDEVICESEARCH search{};
  search.dwSize = kSearchSize;
  search.dwFlags = D3DFDS_COLORMODEL;
  search.dcmColorModel = D3DCOLOR_RGB;
  if (softwareOnly) {
    search.dwFlags |= D3DFDS_HARDWARE;
    search.bHardware = FALSE;
  }
  FindDevice(lpD3D, search, result);

  // A hardware device that cannot draw at the screen's depth is of no use: take software.
  if (result.ddHwDesc.dwFlags != 0 && !(result.ddHwDesc.dwDeviceRenderBitDepth & XBitDepthToDDBD(bitsPerPixel))) {
    XASSERT(!softwareOnly, "We shouldn't have found hardware if request was software only");
    search.dwFlags |= D3DFDS_HARDWARE;
    search.bHardware = FALSE;
    FindDevice(lpD3D, search, result);
  }
  return &result;
}

DWORD XBitDepthToDDBD(int bits) {
  switch (bits) {
    case 1: return DDBD_1;
    case 2: return DDBD_2;
    case 4: return DDBD_4;
    case 8: return DDBD_8;
    case 16: return DDBD_16;
    case 24: return DDBD_24;
    case 32: return DDBD_32;
    default: return 0;
  }
}
