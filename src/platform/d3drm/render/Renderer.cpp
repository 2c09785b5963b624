#include "platform/d3drm/render/Renderer.h"

#include "platform/d3drm/Frame.h"

namespace d3drm {
namespace {

class DrawSink final : public TriangleSink {
 public:
  explicit DrawSink(const TriangleStyle& style) : style_(style) {}
  bool NeedsShading() const override { return true; }
  void Triangle(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, unsigned) override {
    DrawTriangle(style_, a, b, c);
  }
  void Line(const RasterVertex& a, const RasterVertex& b) override { DrawLine(style_, a, b); }

 private:
  const TriangleStyle& style_;
};

D3DVECTOR OriginOf(const Matrix4& modelToCamera) { return TransformPoint(modelToCamera, {0.0f, 0.0f, 0.0f}); }

}  // namespace

void SceneRenderer::Render(Frame* root, const Matrix4& worldToCamera, const Projection& projection,
                           D3DRMRENDERQUALITY deviceQuality, const RenderTarget& target) {
  CollectScene(root, worldToCamera, &scene_);
  for (const bool blended : {false, true}) {
    for (const SceneVisual& visual : scene_.visuals) {
      const LightingContext lighting(scene_.lights, visual.frame, OriginOf(visual.modelToCamera),
                                     projection.orthographic());
      for (const MeshGroup& group : visual.mesh->groups()) {
        const GroupStyle style = ResolveGroupStyle(group, deviceQuality);
        // A group with no opacity at all shows nothing.
        if (!style.visible || style.alpha == 0 || (style.alpha < 255) != blended) continue;
        const TriangleStyle drawing =
            MakeTriangleStyle(target, style.flat, style.texture, style.lit && style.look.Shines(), style.alpha);
        DrawSink sink(drawing);
        pass_.Run(group, style, visual.modelToCamera, &lighting, projection, sink);
      }
    }
  }
  Forget();
}

// The walk's frames and visuals are not held: nothing of them is kept once a pass is over.
void SceneRenderer::Forget() {
  scene_.lights.clear();
  scene_.visuals.clear();
}

}  // namespace d3drm
