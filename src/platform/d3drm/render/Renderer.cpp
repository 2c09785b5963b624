#include "platform/d3drm/render/Renderer.h"

#include <algorithm>
#include <limits>

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

// The nearest face covering one pixel; of equal depths the first found stays.
class PickSink final : public TriangleSink {
 public:
  PickSink(int x, int y) : x_(x), y_(y) {}
  bool NeedsShading() const override { return false; }
  void Triangle(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, unsigned face) override {
    double z;
    if (TriangleCovers(a, b, c, x_, y_, &z) && z < depth) {
      depth = z;
      this->face = face;
    }
  }
  void Line(const RasterVertex&, const RasterVertex&) override {}

  double depth = std::numeric_limits<double>::infinity();
  unsigned face = 0;

 private:
  int x_, y_;
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

std::vector<PickHit> SceneRenderer::Pick(Frame* root, const Matrix4& worldToCamera, const Projection& projection,
                                         int x, int y) {
  CollectScene(root, worldToCamera, &scene_);
  std::vector<PickHit> hits;
  for (const SceneVisual& visual : scene_.visuals) {
    PickHit best{visual.frame, visual.visual, 0, 0, std::numeric_limits<double>::infinity(), {}};
    const auto& groups = visual.mesh->groups();
    for (unsigned g = 0; g < groups.size(); ++g) {
      GroupStyle solid;  // every group is picked by its faces, whatever its fill
      PickSink sink(x, y);
      pass_.Run(groups[g], solid, visual.modelToCamera, nullptr, projection, sink);
      if (sink.depth < best.depth) {
        best.group = g;
        best.face = sink.face;
        best.depth = sink.depth;
      }
    }
    if (best.depth == std::numeric_limits<double>::infinity()) continue;
    best.depth /= 65535.0;
    if (projection.ToCamera(x, y, best.depth, &best.camera)) hits.push_back(best);
  }
  std::stable_sort(hits.begin(), hits.end(), [](const PickHit& a, const PickHit& b) { return a.depth < b.depth; });
  Forget();
  return hits;
}

}  // namespace d3drm
