#include "platform/d3drm/Light.h"

#include "platform/d3drm/Frame.h"

namespace d3drm {

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

HRESULT Light::SetColor(D3DCOLOR color) {
  color_ = color;
  return D3DRM_OK;
}

HRESULT Light::SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
  color_ = D3DRMCreateColorRGB(red, green, blue);
  return D3DRM_OK;
}

HRESULT Light::SetRange(D3DVALUE range) {
  range_ = range;
  return D3DRM_OK;
}

HRESULT Light::SetUmbra(D3DVALUE angle) {
  umbra_ = angle;
  return D3DRM_OK;
}

HRESULT Light::SetPenumbra(D3DVALUE angle) {
  penumbra_ = angle;
  return D3DRM_OK;
}

HRESULT Light::SetConstantAttenuation(D3DVALUE value) {
  constant_ = value;
  return D3DRM_OK;
}

HRESULT Light::SetLinearAttenuation(D3DVALUE value) {
  linear_ = value;
  return D3DRM_OK;
}

HRESULT Light::SetQuadraticAttenuation(D3DVALUE value) {
  quadratic_ = value;
  return D3DRM_OK;
}

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
