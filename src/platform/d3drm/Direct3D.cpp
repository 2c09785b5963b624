#include "platform/d3drm/Direct3D.h"

#include <cstring>
#include <new>

#include "platform/d3drm/ComImpl.h"

namespace {

// Direct3D with one device: RGB, in software, at every depth the DirectDraw layer has.
class SoftwareDirect3D final : public d3drm::ComImpl<IDirect3D, IID_IDirect3D> {
 public:
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
};

HRESULT AnswerDirect3D(IDirectDraw*, REFIID riid, void** object) {
  if (riid != IID_IDirect3D) return E_NOINTERFACE;
  IDirect3D* direct3D = new (std::nothrow) SoftwareDirect3D;
  *object = direct3D;
  return direct3D ? S_OK : DDERR_OUTOFMEMORY;
}

}  // namespace

void Direct3DInstall() { DDSetInterfaceExtension(&AnswerDirect3D); }
