#include "Catalogue.h"

namespace objects {
namespace {

void Cube(Sketch& s) { s.Box(s.AddPart("Cube", {220, 80, 70}), {-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f}); }

void Sphere(Sketch& s) { s.Ellipsoid(s.AddPart("Sphere", {70, 130, 220}), {0, 0.5f, 0}, {0.5f, 0.5f, 0.5f}, 24, 14); }

void Cylinder(Sketch& s) {
  const int side = s.AddPart("Side", {80, 180, 90});
  const int ends = s.AddPart("Ends", {60, 150, 70});
  s.Frustum(side, 0.5f, 0.5f, 0, 1, 24, false);
  s.Frustum(ends, 0.5f, 0.5f, 0, 1, 24);
}

void Cone(Sketch& s) {
  const int side = s.AddPart("Side", {240, 170, 50});
  const int base = s.AddPart("Base", {200, 140, 40});
  s.Frustum(side, 0.5f, 0, 0, 1, 24, false);
  s.Frustum(base, 0.5f, 0.5f, 0, 0, 24, true);
}

void Torus(Sketch& s) {
  s.Push();
  s.Translate(0, 0.5f, 0);
  s.RotateX(70);
  s.Torus(s.AddPart("Ring", {170, 80, 200}), 0.38f, 0.12f, 28, 12);
  s.Pop();
}

void Pyramid(Sketch& s) {
  s.Push();
  s.RotateY(45);
  s.Frustum(s.AddPart("Pyramid", {230, 200, 120}), 0.7f, 0, 0, 0.8f, 4);
  s.Pop();
}

void Crate(Sketch& s) {
  const int boards = s.AddPart("Boards", {176, 126, 76}, "Planks.jpg");
  const int frame = s.AddPart("Frame", {110, 66, 36}, "DarkWood.jpg");
  s.SetTile(0.8f);
  s.Box(boards, {-0.4f, 0, -0.4f}, {0.4f, 0.8f, 0.4f});
  s.SetTile(0.4f);
  for (float a : {-0.42f, 0.34f})
    for (float b : {-0.42f, 0.34f}) {
      s.Box(frame, {a, 0, b}, {a + 0.08f, 0.8f, b + 0.08f});
      s.Box(frame, {-0.42f, a + 0.42f - (a > 0 ? 0.1f : 0.0f), b}, {0.42f, a + 0.5f - (a > 0 ? 0.1f : 0.0f), b + 0.08f});
      s.Box(frame, {b, a + 0.42f - (a > 0 ? 0.1f : 0.0f), -0.42f}, {b + 0.08f, a + 0.5f - (a > 0 ? 0.1f : 0.0f), 0.42f});
    }
}

void Bale(Sketch& s) {
  const int straw = s.AddPart("Straw", {222, 190, 100}, "Straw.jpg");
  const int twine = s.AddPart("Twine", {150, 110, 60}, "DarkWood.jpg");
  s.SetTile(0.4f);
  s.Box(straw, {-0.5f, 0, -0.25f}, {0.5f, 0.4f, 0.25f});
  s.SetTile(0.1f);
  for (float x : {-0.25f, 0.2f}) {
    s.Box(twine, {x, 0.4f, -0.26f}, {x + 0.04f, 0.41f, 0.26f});
    s.Box(twine, {x, -0.001f, -0.26f}, {x + 0.04f, 0.4f, -0.25f});
    s.Box(twine, {x, -0.001f, 0.25f}, {x + 0.04f, 0.4f, 0.26f});
  }
}

}  // namespace

void AddShapes(std::vector<Recipe>* recipes) {
  recipes->push_back({"Cube", Cube});
  recipes->push_back({"Sphere", Sphere});
  recipes->push_back({"Cylinder", Cylinder});
  recipes->push_back({"Cone", Cone});
  recipes->push_back({"Torus", Torus});
  recipes->push_back({"Pyramid", Pyramid});
  recipes->push_back({"Crate", Crate});
  recipes->push_back({"Hay bale", Bale});
}

}  // namespace objects
