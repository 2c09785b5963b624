// An object under construction: named parts with their colours and textures, and faces built
// from simple solids placed by a transform stack. Positions are in metres, y up, the object's
// front facing -z, standing on y = 0.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace objects {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

struct Part {
  std::string name;
  Rgb colour;           // the part's own colour, also its look when textures are off
  std::string texture;  // a texture file beside the object, or empty
  bool lit = true;      // lit in the plain-colour look; unlit parts glow in their colour
};

struct Corner {
  Vec3 position, normal;
  float u = 0, v = 0;
};

struct Face {
  int part = 0;
  std::vector<Corner> corners;  // clockwise seen from the front side
};

// An affine transform as row vectors: p' = p * m + t.
struct Placement {
  std::array<std::array<float, 3>, 3> m{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  Vec3 t;

  Vec3 Point(const Vec3& p) const;
  Vec3 Normal(const Vec3& n) const;  // by the inverse transpose, normalised
};

class Sketch {
 public:
  // Adds a part; every part of an object needs its own colour, since parts that look alike
  // merge into one when the object is loaded.
  int AddPart(const std::string& name, Rgb colour, const std::string& texture = "", bool lit = true);

  // The transform stack: each call changes the current placement, applied before the earlier ones.
  void Push();
  void Pop();
  void Translate(float x, float y, float z);
  void Scale(float x, float y, float z);
  void RotateX(float degrees);
  void RotateY(float degrees);
  void RotateZ(float degrees);

  // Texture coordinates of the solids repeat once per `tile` metres of surface.
  void SetTile(float metres) { tile_ = metres; }

  // An axis-aligned box between two corners.
  void Box(int part, Vec3 low, Vec3 high);
  // A closed cylinder or cone frustum along y from y0 to y1, `sides` facets, smooth sides.
  void Frustum(int part, float bottomRadius, float topRadius, float y0, float y1, int sides, bool caps = true);
  // A sphere of radius r around the origin.
  void Sphere(int part, float r, int slices, int stacks);
  // An ellipsoid with half-axes `radii` around `centre`.
  void Ellipsoid(int part, Vec3 centre, Vec3 radii, int slices = 16, int stacks = 10);
  // A ring around the y axis: major radius R, tube radius r.
  void Torus(int part, float R, float r, int segments, int sides);
  // A prism whose front (z = z0) and back (z = z1) faces are the given convex outline in x, y.
  void Prism(int part, const std::vector<std::array<float, 2>>& outline, float z0, float z1);
  // One flat convex polygon facing `facing`, corners in either order.
  void Polygon(int part, const std::vector<Vec3>& points, Vec3 facing);

  const std::vector<Part>& Parts() const { return parts_; }
  const std::vector<Face>& Faces() const { return faces_; }

 private:
  void AddFace(int part, std::vector<Corner> corners);
  void Quad(int part, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal, float width, float height);

  std::vector<Part> parts_;
  std::vector<Face> faces_;
  std::vector<Placement> stack_{Placement{}};
  float tile_ = 1.0f;
};

}  // namespace objects
