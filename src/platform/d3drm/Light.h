// Lights: one of five types with a colour, attenuation, range, spot cones and an enable frame.
#pragma once

#include "platform/d3drm/ObjectImpl.h"

namespace d3drm {

class Frame;

class Light final : public ObjectImpl<IDirect3DRMLight> {
 public:
  static Light* Create(RegistryHandle registry, D3DRMLIGHTTYPE type, D3DCOLOR color);
  static Light* From(IDirect3DRMLight* light);

  HRESULT SetType(D3DRMLIGHTTYPE type) override;
  HRESULT SetColor(D3DCOLOR color) override;
  HRESULT SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
  HRESULT SetRange(D3DVALUE range) override;
  HRESULT SetUmbra(D3DVALUE angle) override;
  HRESULT SetPenumbra(D3DVALUE angle) override;
  HRESULT SetConstantAttenuation(D3DVALUE value) override;
  HRESULT SetLinearAttenuation(D3DVALUE value) override;
  HRESULT SetQuadraticAttenuation(D3DVALUE value) override;
  D3DRMLIGHTTYPE GetType() override { return type_; }
  D3DCOLOR GetColor() override { return color_; }
  D3DVALUE GetRange() override { return range_; }
  D3DVALUE GetUmbra() override { return umbra_; }
  D3DVALUE GetPenumbra() override { return penumbra_; }
  D3DVALUE GetConstantAttenuation() override { return constant_; }
  D3DVALUE GetLinearAttenuation() override { return linear_; }
  D3DVALUE GetQuadraticAttenuation() override { return quadratic_; }
  HRESULT SetEnableFrame(IDirect3DRMFrame* frame) override;
  HRESULT GetEnableFrame(IDirect3DRMFrame** frame) override;

  // The frame whose subtree this light lights, or null for everything.
  Frame* enableFrame() const { return enableFrame_; }
  // Called by the enable frame as it goes.
  void ForgetEnableFrame() { enableFrame_ = nullptr; }

 private:
  Light(RegistryHandle registry, D3DRMLIGHTTYPE type, D3DCOLOR color);
  ~Light() override;
  bool Implements(REFIID riid) const override;

  // A new light is unattenuated with unlimited range; a spot light's cones are 0.4 and 0.5 radians.
  D3DRMLIGHTTYPE type_;
  D3DCOLOR color_;
  D3DVALUE range_ = 3.402823466e38f;
  D3DVALUE umbra_ = 0.4f;
  D3DVALUE penumbra_ = 0.5f;
  D3DVALUE constant_ = 1.0f;
  D3DVALUE linear_ = 0.0f;
  D3DVALUE quadratic_ = 0.0f;
  Frame* enableFrame_ = nullptr;
};

bool IsLightType(DWORD type);

}  // namespace d3drm
