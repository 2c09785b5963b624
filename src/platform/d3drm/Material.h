// Materials: the specular power and colour and the emissive colour of mesh groups.
#pragma once

#include "platform/d3drm/ObjectImpl.h"

namespace d3drm {

struct MaterialValues {
  D3DVALUE power = 0.0f;
  D3DVECTOR specular{0.0f, 0.0f, 0.0f};
  D3DVECTOR emissive{0.0f, 0.0f, 0.0f};

  bool operator==(const MaterialValues& other) const;
};

class Material final : public ObjectImpl<IDirect3DRMMaterial> {
 public:
  static Material* Create(RegistryHandle registry, const MaterialValues& values);
  static Material* From(IDirect3DRMMaterial* material);

  HRESULT SetPower(D3DVALUE power) override;
  HRESULT SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
  HRESULT SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue) override;
  D3DVALUE GetPower() override { return values_.power; }
  HRESULT GetSpecular(D3DVALUE* red, D3DVALUE* green, D3DVALUE* blue) override;
  HRESULT GetEmissive(D3DVALUE* red, D3DVALUE* green, D3DVALUE* blue) override;

  const MaterialValues& values() const { return values_; }
  // A new material with the same values, name and application data.
  Material* Duplicate() const;

 private:
  Material(RegistryHandle registry, const MaterialValues& values);
  ~Material() override = default;
  bool Implements(REFIID riid) const override;

  MaterialValues values_;
};

}  // namespace d3drm
