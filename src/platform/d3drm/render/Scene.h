// What a frame tree holds for one drawing pass: the meshes its frames show and its lights, placed
// in camera space, in the order of a walk from the root (a frame, then its visuals, then its
// children, each list in the order of addition).
#pragma once

#include <vector>

#include "platform/d3drm/D3DRMInterfaces.h"
#include "platform/d3drm/render/Lighting.h"

namespace d3drm {

class Mesh;

struct SceneVisual {
  Frame* frame;
  IDirect3DRMVisual* visual;
  Mesh* mesh;
  Matrix4 modelToCamera;
};

struct SceneContents {
  std::vector<SceneLight> lights;
  std::vector<SceneVisual> visuals;
};

// Visuals that are not meshes are passed over.
void CollectScene(Frame* root, const Matrix4& worldToCamera, SceneContents* scene);

}  // namespace d3drm
