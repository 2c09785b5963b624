#include "Sketch.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <tuple>

namespace objects {
namespace {

Vec3 Add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Normalised(Vec3 a) {
  const float length = std::sqrt(Dot(a, a));
  return length > 0 ? Vec3{a.x / length, a.y / length, a.z / length} : a;
}
float Radians(float degrees) { return degrees * std::numbers::pi_v<float> / 180.0f; }

using Matrix = std::array<std::array<float, 3>, 3>;

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) r[i][j] += a[i][k] * b[k][j];
  return r;
}

Vec3 Times(Vec3 p, const Matrix& m) {
  return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0], p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1],
          p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2]};
}

}  // namespace

Vec3 Placement::Point(const Vec3& p) const { return Add(Times(p, m), t); }

Vec3 Placement::Normal(const Vec3& n) const {
  // The inverse transpose is the cofactor matrix over the determinant; the scale drops out.
  Matrix cofactor{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
      cofactor[i][j] = m[i1][j1] * m[i2][j2] - m[i1][j2] * m[i2][j1];
    }
  const float determinant = m[0][0] * cofactor[0][0] + m[0][1] * cofactor[0][1] + m[0][2] * cofactor[0][2];
  Vec3 r = Times(n, cofactor);
  if (determinant < 0) r = {-r.x, -r.y, -r.z};
  return Normalised(r);
}

int Sketch::AddPart(const std::string& name, Rgb colour, const std::string& texture, bool lit) {
  for (const Part& part : parts_)
    if (part.colour.r == colour.r && part.colour.g == colour.g && part.colour.b == colour.b)
      throw std::logic_error("parts " + part.name + " and " + name + " share a colour");
  parts_.push_back({name, colour, texture, lit});
  return static_cast<int>(parts_.size()) - 1;
}

void Sketch::Push() { stack_.push_back(stack_.back()); }
void Sketch::Pop() {
  if (stack_.size() < 2) throw std::logic_error("placement stack underflow");
  stack_.pop_back();
}

void Sketch::Translate(float x, float y, float z) {
  Placement& p = stack_.back();
  p.t = Add(Times({x, y, z}, p.m), p.t);
}

void Sketch::Scale(float x, float y, float z) {
  Placement& p = stack_.back();
  p.m = Multiply(Matrix{{{x, 0, 0}, {0, y, 0}, {0, 0, z}}}, p.m);
}

void Sketch::RotateX(float degrees) {
  const float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  stack_.back().m = Multiply(Matrix{{{1, 0, 0}, {0, c, s}, {0, -s, c}}}, stack_.back().m);
}

void Sketch::RotateY(float degrees) {
  const float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  stack_.back().m = Multiply(Matrix{{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}}, stack_.back().m);
}

void Sketch::RotateZ(float degrees) {
  const float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  stack_.back().m = Multiply(Matrix{{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}}, stack_.back().m);
}

// Corners come in either order: the face is turned so that it is seen from the side its
// normals point to (clockwise from the front).
void Sketch::AddFace(int part, std::vector<Corner> corners) {
  if (part < 0 || part >= static_cast<int>(parts_.size())) throw std::logic_error("no such part");
  const Placement& p = stack_.back();
  Vec3 normal{};
  for (Corner& c : corners) {
    c.position = p.Point(c.position);
    c.normal = p.Normal(c.normal);
    normal = Add(normal, c.normal);
  }
  Vec3 area{};
  for (std::size_t i = 1; i + 1 < corners.size(); ++i)
    area = Add(area, Cross(Sub(corners[i].position, corners[0].position),
                           Sub(corners[i + 1].position, corners[0].position)));
  if (Dot(area, area) == 0.0f) return;  // a degenerate face adds nothing
  if (Dot(area, normal) < 0) std::reverse(corners.begin() + 1, corners.end());
  faces_.push_back({part, std::move(corners)});
}

void Sketch::Quad(int part, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 n, float width, float height) {
  const float u = width / tile_, v = height / tile_;
  AddFace(part, {{a, n, 0, v}, {b, n, u, v}, {c, n, u, 0}, {d, n, 0, 0}});
}

void Sketch::Box(int part, Vec3 l, Vec3 h) {
  const float w = h.x - l.x, ht = h.y - l.y, d = h.z - l.z;
  // Each side from its bottom-left corner as seen from outside; AddFace turns it to face out.
  Quad(part, {l.x, l.y, l.z}, {h.x, l.y, l.z}, {h.x, h.y, l.z}, {l.x, h.y, l.z}, {0, 0, -1}, w, ht);  // front
  Quad(part, {h.x, l.y, h.z}, {l.x, l.y, h.z}, {l.x, h.y, h.z}, {h.x, h.y, h.z}, {0, 0, 1}, w, ht);   // back
  Quad(part, {l.x, l.y, h.z}, {l.x, l.y, l.z}, {l.x, h.y, l.z}, {l.x, h.y, h.z}, {-1, 0, 0}, d, ht);  // left
  Quad(part, {h.x, l.y, l.z}, {h.x, l.y, h.z}, {h.x, h.y, h.z}, {h.x, h.y, l.z}, {1, 0, 0}, d, ht);   // right
  Quad(part, {l.x, h.y, l.z}, {h.x, h.y, l.z}, {h.x, h.y, h.z}, {l.x, h.y, h.z}, {0, 1, 0}, w, d);    // top
  Quad(part, {l.x, l.y, h.z}, {h.x, l.y, h.z}, {h.x, l.y, l.z}, {l.x, l.y, l.z}, {0, -1, 0}, w, d);   // bottom
}

void Sketch::Frustum(int part, float r0, float r1, float y0, float y1, int sides, bool caps) {
  const float step = 2 * std::numbers::pi_v<float> / static_cast<float>(sides);
  const float slope = (r0 - r1) / (y1 - y0);  // the side normal leans up by this much
  const float around = 2 * std::numbers::pi_v<float> * std::max(r0, r1) / tile_;
  for (int i = 0; i < sides; ++i) {
    const float a0 = step * static_cast<float>(i), a1 = step * static_cast<float>(i + 1);
    const float c0 = std::cos(a0), s0 = std::sin(a0), c1 = std::cos(a1), s1 = std::sin(a1);
    const Vec3 n0 = Normalised({c0, slope, s0}), n1 = Normalised({c1, slope, s1});
    const float u0 = around * static_cast<float>(i) / static_cast<float>(sides);
    const float u1 = around * static_cast<float>(i + 1) / static_cast<float>(sides);
    const float v = (y1 - y0) / tile_;
    std::vector<Corner> side;
    side.push_back({{r0 * c0, y0, r0 * s0}, n0, u0, v});
    side.push_back({{r0 * c1, y0, r0 * s1}, n1, u1, v});
    if (r1 > 0) side.push_back({{r1 * c1, y1, r1 * s1}, n1, u1, 0});
    side.push_back({{r1 * c0, y1, r1 * s0}, n0, u0, 0});
    if (r1 <= 0) side.back().normal = Normalised(Add(n0, n1));
    AddFace(part, side);
  }
  if (!caps) return;
  for (const auto& [r, y, up] : {std::tuple{r0, y0, -1.0f}, std::tuple{r1, y1, 1.0f}}) {
    if (r <= 0) continue;
    std::vector<Corner> cap;
    for (int i = 0; i < sides; ++i) {
      const float a = step * static_cast<float>(i);
      const Vec3 q{r * std::cos(a), y, r * std::sin(a)};
      cap.push_back({q, {0, up, 0}, q.x / tile_, q.z / tile_});
    }
    AddFace(part, cap);
  }
}

void Sketch::Sphere(int part, float r, int slices, int stacks) {
  const float pi = std::numbers::pi_v<float>;
  auto at = [&](int i, int j) {
    const float a = 2 * pi * static_cast<float>(i) / static_cast<float>(slices);
    const float b = pi * static_cast<float>(j) / static_cast<float>(stacks) - pi / 2;
    const Vec3 n{std::cos(b) * std::cos(a), std::sin(b), std::cos(b) * std::sin(a)};
    const float u = 2 * pi * r / tile_ * static_cast<float>(i) / static_cast<float>(slices);
    const float v = pi * r / tile_ * (1 - static_cast<float>(j) / static_cast<float>(stacks));
    return Corner{{r * n.x, r * n.y, r * n.z}, n, u, v};
  };
  for (int j = 0; j < stacks; ++j)
    for (int i = 0; i < slices; ++i) {
      std::vector<Corner> face{at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)};
      if (j == 0) face.erase(face.begin());               // the south pole's corners meet
      if (j == stacks - 1) face.erase(face.end() - 1);    // and the north pole's
      AddFace(part, face);
    }
}

void Sketch::Ellipsoid(int part, Vec3 centre, Vec3 radii, int slices, int stacks) {
  // A unit sphere, scaled; its texture keeps the tile size at the ellipsoid's mean radius.
  const float tile = tile_;
  tile_ /= (radii.x + radii.y + radii.z) / 3;
  Push();
  Translate(centre.x, centre.y, centre.z);
  Scale(radii.x, radii.y, radii.z);
  Sphere(part, 1, slices, stacks);
  Pop();
  tile_ = tile;
}

void Sketch::Torus(int part, float R, float r, int segments, int sides) {
  const float pi = std::numbers::pi_v<float>;
  auto at = [&](int i, int j) {
    const float a = 2 * pi * static_cast<float>(i) / static_cast<float>(segments);
    const float b = 2 * pi * static_cast<float>(j) / static_cast<float>(sides);
    const Vec3 n{std::cos(b) * std::cos(a), std::sin(b), std::cos(b) * std::sin(a)};
    const Vec3 p{(R + r * std::cos(b)) * std::cos(a), r * std::sin(b), (R + r * std::cos(b)) * std::sin(a)};
    return Corner{p, n, 2 * pi * R / tile_ * static_cast<float>(i) / static_cast<float>(segments),
                  2 * pi * r / tile_ * static_cast<float>(j) / static_cast<float>(sides)};
  };
  for (int i = 0; i < segments; ++i)
    for (int j = 0; j < sides; ++j) AddFace(part, {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)});
}

void Sketch::Prism(int part, const std::vector<std::array<float, 2>>& outline, float z0, float z1) {
  std::vector<Corner> front, back;
  for (const auto& [x, y] : outline) {
    front.push_back({{x, y, z0}, {0, 0, -1}, x / tile_, -y / tile_});
    back.push_back({{x, y, z1}, {0, 0, 1}, -x / tile_, -y / tile_});
  }
  AddFace(part, front);
  AddFace(part, back);
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const auto& [xa, ya] = outline[i];
    const auto& [xb, yb] = outline[(i + 1) % outline.size()];
    Vec3 centre{};
    for (const auto& [x, y] : outline) centre = Add(centre, {x, y, 0});
    const float count = static_cast<float>(outline.size());
    Vec3 out = Normalised({yb - ya, xa - xb, 0});
    if (Dot(out, Sub({xa, ya, 0}, {centre.x / count, centre.y / count, 0})) < 0) out = {-out.x, -out.y, 0};
    const float length = std::hypot(xb - xa, yb - ya);
    AddFace(part, {{{xa, ya, z0}, out, 0, 0},
                   {{xb, yb, z0}, out, length / tile_, 0},
                   {{xb, yb, z1}, out, length / tile_, (z1 - z0) / tile_},
                   {{xa, ya, z1}, out, 0, (z1 - z0) / tile_}});
  }
}

void Sketch::Polygon(int part, const std::vector<Vec3>& points, Vec3 facing) {
  const Vec3 n = Normalised(facing);
  std::vector<Corner> corners;
  for (const Vec3& q : points) corners.push_back({q, n, q.x / tile_, -q.y / tile_});
  AddFace(part, corners);
}

}  // namespace objects
