#include "platform/d3drm/Material.h"

namespace d3drm {
namespace {

bool SameVector(const D3DVECTOR& a, const D3DVECTOR& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

HRESULT ReadColor(const D3DVECTOR& color, D3DVALUE* red, D3DVALUE* green, D3DVALUE* blue) {
  if (!red || !green || !blue) return D3DRMERR_BADVALUE;
  *red = color.x;
  *green = color.y;
  *blue = color.z;
  return D3DRM_OK;
}

}  // namespace

bool MaterialValues::operator==(const MaterialValues& other) const {
  return power == other.power && SameVector(specular, other.specular) && SameVector(emissive, other.emissive);
}

Material* Material::Create(RegistryHandle registry, const MaterialValues& values) {
  return new Material(std::move(registry), values);
}

Material* Material::From(IDirect3DRMMaterial* material) { return dynamic_cast<Material*>(material); }

Material::Material(RegistryHandle registry, const MaterialValues& values)
    : ObjectImpl(std::move(registry)), values_(values) {}

bool Material::Implements(REFIID riid) const {
  return AnyOf(riid, {&IID_IUnknown, &IID_IDirect3DRMObject, &IID_IDirect3DRMMaterial});
}

Material* Material::Duplicate() const {
  Material* copy = Create(registry(), values_);
  copy->CopyObjectData(*this);
  return copy;
}

HRESULT Material::SetPower(D3DVALUE power) {
  values_.power = power;
  return D3DRM_OK;
}

HRESULT Material::SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
  values_.specular = {red, green, blue};
  return D3DRM_OK;
}

HRESULT Material::SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
  values_.emissive = {red, green, blue};
  return D3DRM_OK;
}

HRESULT Material::GetSpecular(D3DVALUE* red, D3DVALUE* green, D3DVALUE* blue) {
  return ReadColor(values_.specular, red, green, blue);
}

HRESULT Material::GetEmissive(D3DVALUE* red, D3DVALUE* green, D3DVALUE* blue) {
  return ReadColor(values_.emissive, red, green, blue);
}

}  // namespace d3drm
