// Drawing a frame tree as a camera sees it, and finding what lies under a pixel. Opaque groups
// are drawn first, then the groups whose colour has an alpha below 255, blended over them; each
// pass in the order of the scene walk. Memory is kept from one pass to the next.
#pragma once

#include <vector>

#include "platform/d3drm/render/MeshPass.h"
#include "platform/d3drm/render/Scene.h"

namespace d3drm {

struct PickHit {
  Frame* frame;
  IDirect3DRMVisual* visual;
  unsigned group;
  unsigned face;
  double depth;       // 0 at the front plane, 1 at the back plane
  D3DVECTOR camera;   // the hit point in camera space
};

class SceneRenderer {
 public:
  void Render(Frame* root, const Matrix4& worldToCamera, const Projection& projection,
              D3DRMRENDERQUALITY deviceQuality, const RenderTarget& target);
  // For each visual drawn at pixel (x, y) its nearest face, nearest visual first.
  std::vector<PickHit> Pick(Frame* root, const Matrix4& worldToCamera, const Projection& projection, int x, int y);

 private:
  void Forget();

  SceneContents scene_;
  MeshPass pass_;
};

}  // namespace d3drm
