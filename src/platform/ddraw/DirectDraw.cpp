#include "platform/ddraw/DirectDraw.h"

#include <new>

#include "platform/ddraw/SurfaceImpl.h"

namespace {

DDInterfaceExtension g_extension = nullptr;

class DirectDrawImpl final : public ddraw::DDComObject<IDirectDraw2> {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override {
    const HRESULT result = QueryAmong(riid, object, {&IID_IDirectDraw, &IID_IDirectDraw2});
    return result == E_NOINTERFACE && g_extension ? g_extension(this, riid, object) : result;
  }

  HRESULT CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface, IUnknown* outer) override {
    if (outer) return DDERR_INVALIDPARAMS;
    return ddraw::CreateSurface(desc, surface);
  }

  HRESULT CreatePalette(DWORD flags, LPPALETTEENTRY entries, LPDIRECTDRAWPALETTE* palette,
                        IUnknown* outer) override {
    if (outer) return DDERR_INVALIDPARAMS;
    return ddraw::CreatePalette(flags, entries, palette);
  }

  HRESULT CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) override {
    return DirectDrawCreateClipper(flags, clipper, outer);
  }

  HRESULT SetCooperativeLevel(HWND, DWORD flags) override {
    if (HRESULT fault = ddraw::TakeFault(DDCall::SetCooperativeLevel)) return fault;
    return flags == DDSCL_NORMAL ? DD_OK : ddraw::NotBuilt("SetCooperativeLevel other than DDSCL_NORMAL");
  }

  HRESULT WaitForVerticalBlank(DWORD flags, LPVOID event) override {
    if (flags != DDWAITVB_BLOCKBEGIN || event) return ddraw::NotBuilt("WaitForVerticalBlank other than BLOCKBEGIN");
    return DD_OK;
  }
};

}  // namespace

HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) {
  if (!directDraw) return DDERR_INVALIDPARAMS;
  *directDraw = nullptr;
  if (driver || outer) return DDERR_INVALIDPARAMS;
  if (HRESULT fault = ddraw::TakeFault(DDCall::Create)) return fault;
  *directDraw = new (std::nothrow) DirectDrawImpl;
  return *directDraw ? DD_OK : DDERR_OUTOFMEMORY;
}

DDInterfaceExtension DDSetInterfaceExtension(DDInterfaceExtension extension) {
  const DDInterfaceExtension previous = g_extension;
  g_extension = extension;
  return previous;
}
