// What the DirectX checks ask of the system: its version record, whether a library offers an
// entry, the library's DirectDraw, and the Direct3D of a DirectDraw object with its device
// search. The built-in probe answers for this system; tests install their own.
#pragma once

#include "platform/d3drm/D3DRM.h"
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
