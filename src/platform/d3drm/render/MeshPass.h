// One mesh group through the geometry stages: vertices into camera space, faces turned away from
// the camera dropped, vertices lit, triangles cut at the front and back planes and projected to
// the screen, then handed to a sink that draws them or looks for a pixel in them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3drm/Mesh.h"
#include "platform/d3drm/render/Clip.h"
#include "platform/d3drm/render/Lighting.h"
#include "platform/d3drm/render/Projection.h"
#include "platform/d3drm/render/Raster.h"

namespace d3drm {

class TriangleSink {
 public:
  virtual ~TriangleSink() = default;
  // Picking needs positions only; drawing needs colours.
  virtual bool NeedsShading() const = 0;
  // `face` is the triangle's index in its group.
  virtual void Triangle(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, unsigned face) = 0;
  virtual void Line(const RasterVertex& a, const RasterVertex& b) = 0;
};

// A group's look under a device's quality: each part of the render-quality word (shade, light,
// fill) is the lesser of the device's and the group's; Phong shading is drawn as Gouraud.
struct GroupStyle {
  bool visible = true;  // point fill draws nothing
  bool wireframe = false;
  bool flat = false;
  bool lit = false;
  const Picture* texture = nullptr;
  std::uint32_t alpha = 255;
  SurfaceLook look;
};

GroupStyle ResolveGroupStyle(const MeshGroup& group, D3DRMRENDERQUALITY deviceQuality);

class MeshPass {
 public:
  // A face is kept when it faces the camera: its corners run clockwise as the camera sees them,
  // so that its normal (p1 - p0) x (p2 - p0) points towards the eye.
  void Run(const MeshGroup& group, const GroupStyle& style, const Matrix4& modelToCamera,
           const LightingContext* lighting, const Projection& projection, TriangleSink& sink);

 private:
  void TransformVertices(const MeshGroup& group, const Matrix4& modelToCamera, const Projection& projection);
  void FindFrontFaces(const MeshGroup& group, bool orthographic);
  void ShadeVertices(const MeshGroup& group, const GroupStyle& style, const Matrix4& modelToCamera,
                     const LightingContext* lighting);
  void FlatColour(const MeshGroup& group, const GroupStyle& style, const LightingContext* lighting,
                  const unsigned* corners, ClipVertex* clip) const;
  const RasterVertex& Projected(unsigned vertex, const Projection& projection);
  void EmitFace(const MeshGroup& group, const GroupStyle& style, const LightingContext* lighting,
                const Projection& projection, unsigned face, TriangleSink& sink);
  void EmitEdges(const unsigned* corners, const Projection& projection, TriangleSink& sink);

  // Per vertex of the current group.
  std::vector<D3DVECTOR> camera_;
  std::vector<ClipVertex> shaded_;
  std::vector<RasterVertex> screen_;
  std::vector<std::uint8_t> flags_;
  // The faces that face the camera.
  std::vector<unsigned> front_;
  bool shading_ = false;
};

}  // namespace d3drm
