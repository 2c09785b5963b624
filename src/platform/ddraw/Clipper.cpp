#include <new>

#include "platform/ddraw/Clipper.h"
#include "platform/ddraw/DDComObject.h"

namespace {

class ClipperImpl final : public ddraw::DDComObject<IDirectDrawClipper> {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override {
    return QueryAmong(riid, object, {&IID_IDirectDrawClipper});
  }

  HRESULT SetHWnd(DWORD flags, HWND window) override {
    if (HRESULT fault = ddraw::TakeFault(DDCall::SetHWnd)) return fault;
    if (flags) return DDERR_INVALIDPARAMS;
    window_ = window;
    return DD_OK;
  }

  HRESULT GetHWnd(HWND* window) override {
    if (!window) return DDERR_INVALIDPARAMS;
    *window = window_;
    return DD_OK;
  }

 private:
  HWND window_ = nullptr;
};

}  // namespace

HRESULT DirectDrawCreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer) {
  if (!clipper) return DDERR_INVALIDPARAMS;
  *clipper = nullptr;
  if (flags || outer) return DDERR_INVALIDPARAMS;
  if (HRESULT fault = ddraw::TakeFault(DDCall::Create)) return fault;
  *clipper = new (std::nothrow) ClipperImpl;
  return *clipper ? DD_OK : DDERR_OUTOFMEMORY;
}
