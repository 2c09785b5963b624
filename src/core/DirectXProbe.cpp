#include "core/DirectXProbe.h"

#include <cstring>
#include <utility>

namespace {

constexpr DWORD kOldWindowsBuild = 950;

SystemDirectXProbe& BuiltIn() {
  static auto* probe = new SystemDirectXProbe;
  return *probe;
}

DirectXProbe* current = nullptr;

}  // namespace

BOOL SystemDirectXProbe::GetVersionEx(OSVERSIONINFOA* info) {
  if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return FALSE;
  *info = {sizeof(OSVERSIONINFOA), 4, 0, kOldWindowsBuild, VER_PLATFORM_WIN32_WINDOWS, {}};
  return TRUE;
}

bool SystemDirectXProbe::HasLibraryEntry(const char* library, const char* entry) {
  return (std::strcmp(library, "DDRAW.DLL") == 0 && std::strcmp(entry, "DirectDrawCreate") == 0) ||
         (std::strcmp(library, "DINPUT.DLL") == 0 && std::strcmp(entry, "DirectInputCreateA") == 0);
}

HRESULT SystemDirectXProbe::DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) {
  return ::DirectDrawCreate(driver, directDraw, outer);
}

HRESULT SystemDirectXProbe::QueryDirect3D(IDirectDraw* directDraw, IDirect3D** direct3D) {
  if (!direct3D) return E_POINTER;
  *direct3D = nullptr;
  if (!directDraw) return E_POINTER;
  Direct3DInstall();
  return directDraw->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(direct3D));
}

DirectXProbe* SetDirectXProbe(DirectXProbe* probe) { return std::exchange(current, probe); }

DirectXProbe& CurrentDirectXProbe() { return current ? *current : BuiltIn(); }
