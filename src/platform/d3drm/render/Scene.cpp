#include "platform/d3drm/render/Scene.h"

#include "platform/d3drm/Frame.h"
#include "platform/d3drm/Light.h"
#include "platform/d3drm/Mesh.h"

namespace d3drm {
namespace {

void Walk(Frame* frame, const Matrix4& frameToCamera, SceneContents* scene) {
  for (const ComPtr<Light>& light : frame->lights()) scene->lights.push_back(PlaceLight(*light, frameToCamera));
  for (const ComPtr<IDirect3DRMVisual>& visual : frame->visuals())
    if (Mesh* mesh = Mesh::From(visual.get())) scene->visuals.push_back({frame, visual.get(), mesh, frameToCamera});
  for (const ComPtr<Frame>& child : frame->children())
    Walk(child.get(), Multiply(child->transform(), frameToCamera), scene);
}

}  // namespace

void CollectScene(Frame* root, const Matrix4& worldToCamera, SceneContents* scene) {
  scene->lights.clear();
  scene->visuals.clear();
  Walk(root, Multiply(root->WorldTransform(), worldToCamera), scene);
}

}  // namespace d3drm
