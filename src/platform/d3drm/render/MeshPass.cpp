#include "platform/d3drm/render/MeshPass.h"

#include <algorithm>
#include <cmath>

namespace d3drm {
namespace {

constexpr std::uint8_t kUsed = 1;       // a corner of a face that faces the camera
constexpr std::uint8_t kInRange = 2;    // between the front and back planes
constexpr std::uint8_t kProjected = 4;  // its screen vertex is made

float Dot(const D3DVECTOR& a, const D3DVECTOR& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

bool Finite(const D3DVECTOR& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void ColourOf(D3DCOLOR colour, float rgb[3]) {
  rgb[0] = static_cast<float>(colour >> 16 & 0xFF);
  rgb[1] = static_cast<float>(colour >> 8 & 0xFF);
  rgb[2] = static_cast<float>(colour & 0xFF);
}

RasterVertex ToRaster(const Projection& projection, const ClipVertex& v) {
  const ScreenPoint s = projection.ToScreen(v.position.x, v.position.y, v.position.z);
  RasterVertex r;
  r.x = static_cast<float>(s.x);
  r.y = static_cast<float>(s.y);
  r.z = 65535.0 * s.z;
  r.rhw = static_cast<float>(1.0 / s.w);
  std::copy(v.colour, v.colour + 3, r.colour);
  std::copy(v.specular, v.specular + 3, r.specular);
  r.u = v.u;
  r.v = v.v;
  return r;
}

// Without a texture the highlight is simply added to the colour.
void FoldSpecular(ClipVertex* v) {
  for (int i = 0; i < 3; ++i) {
    v->colour[i] = std::min(v->colour[i] + v->specular[i], 255.0f);
    v->specular[i] = 0.0f;
  }
}

void TakeColours(const ClipVertex& from, RasterVertex* to) {
  std::copy(from.colour, from.colour + 3, to->colour);
  std::copy(from.specular, from.specular + 3, to->specular);
}

}  // namespace

GroupStyle ResolveGroupStyle(const MeshGroup& group, D3DRMRENDERQUALITY deviceQuality) {
  const auto part = [&](D3DRMRENDERQUALITY mask) { return std::min(group.quality & mask, deviceQuality & mask); };
  GroupStyle style;
  const D3DRMRENDERQUALITY fill = part(D3DRMFILL_MASK);
  style.visible = fill >= D3DRMFILL_WIREFRAME;
  style.wireframe = fill < D3DRMFILL_SOLID;
  style.flat = part(D3DRMSHADE_MASK) == D3DRMSHADE_FLAT;
  style.lit = part(D3DRMLIGHT_MASK) >= D3DRMLIGHT_ON;
  if (group.texture && !group.texture->picture().pixels.empty()) style.texture = &group.texture->picture();
  style.alpha = group.color >> 24;
  if (group.material) {
    const MaterialValues& values = group.material->values();
    style.look.emissive[0] = values.emissive.x;
    style.look.emissive[1] = values.emissive.y;
    style.look.emissive[2] = values.emissive.z;
    style.look.specular[0] = values.specular.x;
    style.look.specular[1] = values.specular.y;
    style.look.specular[2] = values.specular.z;
    style.look.power = values.power;
  }
  return style;
}

void MeshPass::Run(const MeshGroup& group, const GroupStyle& style, const Matrix4& modelToCamera,
                   const LightingContext* lighting, const Projection& projection, TriangleSink& sink) {
  shading_ = sink.NeedsShading();
  if (!style.lit) lighting = nullptr;
  TransformVertices(group, modelToCamera, projection);
  FindFrontFaces(group, projection.orthographic());
  ShadeVertices(group, style, modelToCamera, lighting);
  for (unsigned face : front_) {
    if (style.wireframe)
      EmitEdges(&group.indices[3 * face], projection, sink);
    else
      EmitFace(group, style, lighting, projection, face, sink);
  }
}

void MeshPass::TransformVertices(const MeshGroup& group, const Matrix4& modelToCamera, const Projection& projection) {
  const std::size_t count = group.vertices.size();
  camera_.resize(count);
  shaded_.resize(count);
  screen_.resize(count);
  flags_.assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    camera_[i] = TransformPoint(modelToCamera, group.vertices[i].position);
    if (camera_[i].z >= projection.front() && camera_[i].z <= projection.back()) flags_[i] = kInRange;
  }
}

void MeshPass::FindFrontFaces(const MeshGroup& group, bool orthographic) {
  front_.clear();
  const std::size_t count = camera_.size();
  for (std::size_t face = 0, faces = group.indices.size() / 3; face < faces; ++face) {
    const unsigned* corner = &group.indices[3 * face];
    if (corner[0] >= count || corner[1] >= count || corner[2] >= count) continue;
    const D3DVECTOR& p0 = camera_[corner[0]];
    const D3DVECTOR normal = Cross(Subtract(camera_[corner[1]], p0), Subtract(camera_[corner[2]], p0));
    const float facing = orthographic ? normal.z : Dot(normal, p0);
    if (!(facing < 0.0f) || !Finite(p0) || !Finite(camera_[corner[1]]) || !Finite(camera_[corner[2]])) continue;
    front_.push_back(static_cast<unsigned>(face));
    for (int k = 0; k < 3; ++k) flags_[corner[k]] |= kUsed;
  }
}

void MeshPass::ShadeVertices(const MeshGroup& group, const GroupStyle& style, const Matrix4& modelToCamera,
                             const LightingContext* lighting) {
  Matrix4 normals;
  const bool smoothLight = shading_ && lighting && !style.flat;
  if (smoothLight && !NormalMatrix(modelToCamera, &normals)) normals = Matrix4{};
  for (std::size_t i = 0; i < camera_.size(); ++i) {
    if (!(flags_[i] & kUsed)) continue;
    const D3DRMVERTEX& vertex = group.vertices[i];
    ClipVertex& v = shaded_[i];
    v.position = camera_[i];
    v.u = vertex.tu;
    v.v = vertex.tv;
    ColourOf(vertex.color, v.colour);
    std::fill(v.specular, v.specular + 3, 0.0f);
    if (!smoothLight) continue;
    const float diffuse[3] = {v.colour[0], v.colour[1], v.colour[2]};
    lighting->Shade(v.position, Normalized(TransformDirection(normals, vertex.normal)), diffuse, style.look, v.colour,
                    v.specular);
    if (!style.texture) FoldSpecular(&v);
  }
}

// Flat faces take the first corner's colour, lit with the face's own normal at its centre.
void MeshPass::FlatColour(const MeshGroup& group, const GroupStyle& style, const LightingContext* lighting,
                          const unsigned* corners, ClipVertex* clip) const {
  if (lighting) {
    const D3DVECTOR &p0 = camera_[corners[0]], &p1 = camera_[corners[1]], &p2 = camera_[corners[2]];
    const D3DVECTOR normal = Normalized(Cross(Subtract(p1, p0), Subtract(p2, p0)));
    const D3DVECTOR centre = {(p0.x + p1.x + p2.x) / 3.0f, (p0.y + p1.y + p2.y) / 3.0f, (p0.z + p1.z + p2.z) / 3.0f};
    float diffuse[3];
    ColourOf(group.vertices[corners[0]].color, diffuse);
    lighting->Shade(centre, normal, diffuse, style.look, clip[0].colour, clip[0].specular);
    if (!style.texture) FoldSpecular(&clip[0]);
  }
  for (int k = 1; k < 3; ++k) {
    std::copy(clip[0].colour, clip[0].colour + 3, clip[k].colour);
    std::copy(clip[0].specular, clip[0].specular + 3, clip[k].specular);
  }
}

const RasterVertex& MeshPass::Projected(unsigned vertex, const Projection& projection) {
  if (!(flags_[vertex] & kProjected)) {
    screen_[vertex] = ToRaster(projection, shaded_[vertex]);
    flags_[vertex] |= kProjected;
  }
  return screen_[vertex];
}

void MeshPass::EmitFace(const MeshGroup& group, const GroupStyle& style, const LightingContext* lighting,
                        const Projection& projection, unsigned face, TriangleSink& sink) {
  const unsigned* corners = &group.indices[3 * face];
  const bool flat = shading_ && style.flat;
  const bool inRange = flags_[corners[0]] & flags_[corners[1]] & flags_[corners[2]] & kInRange;
  if (inRange && !flat) {  // the common case goes without copies
    sink.Triangle(Projected(corners[0], projection), Projected(corners[1], projection),
                  Projected(corners[2], projection), face);
    return;
  }
  ClipVertex clip[3] = {shaded_[corners[0]], shaded_[corners[1]], shaded_[corners[2]]};
  if (flat) FlatColour(group, style, lighting, corners, clip);
  if (inRange) {
    RasterVertex screen[3] = {Projected(corners[0], projection), Projected(corners[1], projection),
                              Projected(corners[2], projection)};
    for (int k = 0; k < 3; ++k) TakeColours(clip[k], &screen[k]);
    sink.Triangle(screen[0], screen[1], screen[2], face);
    return;
  }
  ClipVertex polygon[kMaxClippedCorners];
  const int count = ClipTriangleToDepth(clip, projection.front(), projection.back(), polygon);
  if (count < 3) return;
  RasterVertex screen[kMaxClippedCorners];
  for (int k = 0; k < count; ++k) screen[k] = ToRaster(projection, polygon[k]);
  for (int k = 1; k + 1 < count; ++k) sink.Triangle(screen[0], screen[k], screen[k + 1], face);
}

void MeshPass::EmitEdges(const unsigned* corners, const Projection& projection, TriangleSink& sink) {
  for (int k = 0; k < 3; ++k) {
    const unsigned from = corners[k], to = corners[(k + 1) % 3];
    if (flags_[from] & flags_[to] & kInRange) {
      sink.Line(Projected(from, projection), Projected(to, projection));
      continue;
    }
    ClipVertex a = shaded_[from], b = shaded_[to];
    if (ClipSegmentToDepth(&a, &b, projection.front(), projection.back()))
      sink.Line(ToRaster(projection, a), ToRaster(projection, b));
  }
}

}  // namespace d3drm
