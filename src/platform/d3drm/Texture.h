// Textures: pictures for mesh groups and scene backgrounds, kept as 32-bit 0x00RRGGBB pixels in
// rows from the top, ready for sampling.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3drm/ObjectImpl.h"

namespace d3drm {

struct Picture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, row after row from the top
};

class Texture final : public ObjectImpl<IDirect3DRMTexture> {
 public:
  // colors and shades are the root's defaults when the texture is made.
  static Texture* Create(RegistryHandle registry, Picture picture, DWORD colors, DWORD shades);
  static Texture* From(IDirect3DRMTexture* texture);

  const Picture& picture() const { return picture_; }
  DWORD colors() const { return colors_; }
  DWORD shades() const { return shades_; }

 private:
  Texture(RegistryHandle registry, Picture picture, DWORD colors, DWORD shades);
  ~Texture() override = default;
  bool Implements(REFIID riid) const override;

  Picture picture_;
  DWORD colors_;
  DWORD shades_;
};

}  // namespace d3drm
