#include "core/DirectXProbe.h"

#include <cstring>
#include <utility>

namespace {

constexpr DWORD kOldWindowsBuild = 950;

// Direct3D with one device: RGB, in software, at every depth the DirectDraw layer has.
class SoftwareDirect3D final : public IDirect3D {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDirect3D) return E_NOINTERFACE;
    *object = static_cast<IDirect3D*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT FindDevice(D3DFINDDEVICESEARCH* search, D3DFINDDEVICERESULT* result) override {
    if (!search || !result) return DDERR_INVALIDPARAMS;
    if ((search->dwFlags & D3DFDS_COLORMODEL) && search->dcmColorModel != D3DCOLOR_RGB) return DDERR_NOTFOUND;
    if ((search->dwFlags & D3DFDS_HARDWARE) && search->bHardware) return DDERR_NOTFOUND;
    const DWORD size = result->dwSize;
    std::memset(result, 0, sizeof *result);
    result->dwSize = size;
    result->guid = IID_IDirect3DRGBDevice;
    result->ddHwDesc.dwSize = sizeof(D3DDEVICEDESC);
    result->ddSwDesc = {sizeof(D3DDEVICEDESC),
                        D3DDD_COLORMODEL | D3DDD_DEVICERENDERBITDEPTH | D3DDD_DEVICEZBUFFERBITDEPTH, D3DCOLOR_RGB,
                        DDBD_8 | DDBD_16 | DDBD_24 | DDBD_32, DDBD_16};
    return S_OK;
  }

 private:
  ULONG references_ = 1;
};

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
  *direct3D = directDraw ? new SoftwareDirect3D : nullptr;
  return directDraw ? S_OK : E_POINTER;
}

DirectXProbe* SetDirectXProbe(DirectXProbe* probe) { return std::exchange(current, probe); }

DirectXProbe& CurrentDirectXProbe() { return current ? *current : BuiltIn(); }
