#include "platform/d3drm/Light.h"

#include "platform/d3drm/Frame.h"

namespace d3drm {
namespace {

template <class T>
HRESULT Store(T& field, T value) {
  field = value;
  return D3DRM_OK;
}

}  // namespace

bool IsLightType(DWORD type) { return type <= D3DRMLIGHT_PARALLELPOINT; }

Light* Light::Create(RegistryHandle registry, D3DRMLIGHTTYPE type, D3DCOLOR color) {
  return new Light(std::move(registry), type, color);
}

Light* Light::From(IDirect3DRMLight* light) { return dynamic_cast<Light*>(light); }

Light::Light(RegistryHandle registry, D3DRMLIGHTTYPE type, D3DCOLOR color)
    : ObjectImpl(std::move(registry)), type_(type), color_(color) {}

Light::~Light() {
  if (enableFrame_) enableFrame_->UnlinkEnabledLight(this);
}

bool Light::Implements(REFIID riid) const {
  return AnyOf(riid, {&IID_IUnknown, &IID_IDirect3DRMObject, &IID_IDirect3DRMLight});
}

HRESULT Light::SetType(D3DRMLIGHTTYPE type) {
  if (!IsLightType(type)) return D3DRMERR_BADVALUE;
  type_ = type;
  return D3DRM_OK;
}

HRESULT Light::SetColor(D3DCOLOR color) { return Store(color_, color); }

HRESULT Light::SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
  return Store(color_, D3DRMCreateColorRGB(red, green, blue));
}

HRESULT Light::SetRange(D3DVALUE range) { return Store(range_, range); }
HRESULT Light::SetUmbra(D3DVALUE angle) { return Store(umbra_, angle); }
HRESULT Light::SetPenumbra(D3DVALUE angle) { return Store(penumbra_, angle); }
HRESULT Light::SetConstantAttenuation(D3DVALUE value) { return Store(constant_, value); }
HRESULT Light::SetLinearAttenuation(D3DVALUE value) { return Store(linear_, value); }
HRESULT Light::SetQuadraticAttenuation(D3DVALUE value) { return Store(quadratic_, value); }

HRESULT Light::SetEnableFrame(IDirect3DRMFrame* frame) {
  Frame* target = Frame::From(frame);
  if (frame && !target) return D3DRMERR_BADOBJECT;
  if (enableFrame_) enableFrame_->UnlinkEnabledLight(this);
  enableFrame_ = target;
  if (enableFrame_) enableFrame_->LinkEnabledLight(this);
  return D3DRM_OK;
}

HRESULT Light::GetEnableFrame(IDirect3DRMFrame** frame) {
  if (!frame) return D3DRMERR_BADVALUE;
  HandOut(frame, enableFrame_);
  return D3DRM_OK;
}

}  // namespace d3drm
