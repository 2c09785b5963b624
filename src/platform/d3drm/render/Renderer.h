// Drawing a frame tree as a camera sees it. Opaque groups
// are drawn first, then the groups whose colour has an alpha below 255, blended over them; each
// pass in the order of the scene walk. Memory is kept from one pass to the next.
#pragma once

#include <vector>

#include "platform/d3drm/render/MeshPass.h"
#include "platform/d3drm/render/Scene.h"

namespace d3drm {

class SceneRenderer {
 public:
  void Render(Frame* root, const Matrix4& worldToCamera, const Projection& projection,
              D3DRMRENDERQUALITY deviceQuality, const RenderTarget& target);

 private:
  void Forget();

  SceneContents scene_;
  MeshPass pass_;
};

}  // namespace d3drm
