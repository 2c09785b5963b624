#include "platform/d3drm/Texture.h"

namespace d3drm {

Texture* Texture::Create(RegistryHandle registry, Picture picture, DWORD colors, DWORD shades) {
  return new Texture(std::move(registry), std::move(picture), colors, shades);
}

Texture* Texture::From(IDirect3DRMTexture* texture) { return dynamic_cast<Texture*>(texture); }

Texture::Texture(RegistryHandle registry, Picture picture, DWORD colors, DWORD shades)
    : ObjectImpl(std::move(registry)), picture_(std::move(picture)), colors_(colors), shades_(shades) {}

bool Texture::Implements(REFIID riid) const {
  return AnyOf(riid, {&IID_IUnknown, &IID_IDirect3DRMObject, &IID_IDirect3DRMVisual, &IID_IDirect3DRMTexture});
}

}  // namespace d3drm
