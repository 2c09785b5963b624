#include "platform/d3drm/Direct3D.h"

#include <cstring>
#include <new>

namespace {

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

HRESULT AnswerDirect3D(IDirectDraw*, REFIID riid, void** object) {
  if (riid != IID_IDirect3D) return E_NOINTERFACE;
  *object = new (std::nothrow) SoftwareDirect3D;
  return *object ? S_OK : DDERR_OUTOFMEMORY;
}

}  // namespace

void Direct3DInstall() { DDSetInterfaceExtension(&AnswerDirect3D); }
