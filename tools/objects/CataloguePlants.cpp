#include "Catalogue.h"

namespace objects {
namespace {

void Ball(Sketch& s, int part, float x, float y, float z, float r) { s.Ellipsoid(part, {x, y, z}, {r, r, r}, 14, 9); }

void Tree(Sketch& s) {
  const int trunk = s.AddPart("Trunk", {110, 82, 60}, "Bark.jpg");
  const int crown = s.AddPart("Crown", {70, 130, 50}, "Leaves.jpg");
  s.SetTile(0.8f);
  s.Frustum(trunk, 0.22f, 0.15f, 0, 2.4f, 12);
  s.SetTile(0.7f);
  Ball(s, crown, 0, 3.1f, 0, 1.3f);
  Ball(s, crown, 0.8f, 2.6f, 0.2f, 0.8f);
  Ball(s, crown, -0.7f, 2.7f, -0.3f, 0.85f);
  Ball(s, crown, 0.1f, 3.9f, 0.3f, 0.8f);
}

void Pine(Sketch& s) {
  const int trunk = s.AddPart("Trunk", {104, 76, 54}, "Bark.jpg");
  const int needles = s.AddPart("Needles", {30, 90, 50}, "Needles.jpg");
  s.SetTile(0.8f);
  s.Frustum(trunk, 0.16f, 0.1f, 0, 1.0f, 10);
  s.SetTile(0.6f);
  s.Frustum(needles, 1.2f, 0.1f, 0.8f, 2.4f, 16);
  s.Frustum(needles, 0.95f, 0.05f, 1.8f, 3.3f, 16);
  s.Frustum(needles, 0.7f, 0, 2.7f, 4.2f, 16);
}

void Bush(Sketch& s) {
  const int leaves = s.AddPart("Leaves", {80, 140, 56}, "Leaves.jpg");
  s.SetTile(0.5f);
  Ball(s, leaves, 0, 0.45f, 0, 0.55f);
  Ball(s, leaves, 0.5f, 0.35f, 0.1f, 0.42f);
  Ball(s, leaves, -0.5f, 0.35f, -0.1f, 0.45f);
  Ball(s, leaves, 0.1f, 0.35f, -0.4f, 0.4f);
}

void Flower(Sketch& s) {
  const int pot = s.AddPart("Pot", {196, 98, 60});
  const int soil = s.AddPart("Soil", {70, 48, 32});
  const int stem = s.AddPart("Stem", {60, 140, 50});
  const int leaves = s.AddPart("Leaves", {40, 160, 70});
  const int petals = s.AddPart("Petals", {236, 96, 150});
  const int centre = s.AddPart("Centre", {250, 206, 40});
  s.Frustum(pot, 0.1f, 0.14f, 0, 0.2f, 16);
  s.Frustum(soil, 0.13f, 0.13f, 0.2f, 0.21f, 16, true);
  s.Frustum(stem, 0.008f, 0.008f, 0.21f, 0.62f, 6);
  for (float side : {-1.0f, 1.0f}) {
    s.Push();
    s.Translate(0, 0.35f, 0);
    s.RotateZ(side * 40);
    s.Ellipsoid(leaves, {0, 0.12f, 0}, {0.03f, 0.12f, 0.01f}, 10, 6);
    s.Pop();
  }
  for (int i = 0; i < 6; ++i) {
    s.Push();
    s.Translate(0, 0.64f, 0);
    s.RotateZ(60.0f * static_cast<float>(i));
    s.Ellipsoid(petals, {0, 0.07f, -0.01f}, {0.035f, 0.06f, 0.01f}, 10, 6);
    s.Pop();
  }
  Ball(s, centre, 0, 0.64f, -0.02f, 0.035f);
}

void Cactus(Sketch& s) {
  const int pot = s.AddPart("Pot", {186, 92, 56});
  const int body = s.AddPart("Cactus", {70, 130, 70});
  const int flower = s.AddPart("Flower", {240, 70, 90});
  s.Frustum(pot, 0.14f, 0.18f, 0, 0.25f, 16);
  s.Frustum(body, 0.1f, 0.1f, 0.2f, 0.85f, 12, false);
  Ball(s, body, 0, 0.85f, 0, 0.1f);
  for (float side : {-1.0f, 1.0f}) {
    s.Push();
    s.Translate(side * 0.17f, 0.45f + side * 0.05f, 0);
    s.Frustum(body, 0.05f, 0.05f, 0, 0.25f, 10, false);
    Ball(s, body, 0, 0.25f, 0, 0.05f);
    s.Pop();
    s.Push();
    s.Translate(side * 0.07f, 0.45f + side * 0.05f, 0);
    s.RotateZ(90);
    s.Frustum(body, 0.045f, 0.045f, -0.1f, 0.1f, 10, false);
    s.Pop();
  }
  Ball(s, flower, 0, 0.96f, 0, 0.04f);
}

}  // namespace

void AddPlants(std::vector<Recipe>* recipes) {
  recipes->push_back({"Tree", Tree});
  recipes->push_back({"Pine tree", Pine});
  recipes->push_back({"Bush", Bush});
  recipes->push_back({"Flower pot", Flower});
  recipes->push_back({"Cactus", Cactus});
}

}  // namespace objects
