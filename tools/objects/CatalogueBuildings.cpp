#include "Catalogue.h"

#include <cmath>
#include <numbers>

namespace objects {
namespace {

float Degrees(float radians) { return radians * 180.0f / std::numbers::pi_v<float>; }

// A gabled roof over x from -halfX to halfX, ridge along x at `ridge`, eaves at `eaves` over
// z from -halfZ to halfZ: two slabs, each turned about x.
void GabledRoof(Sketch& s, int part, float halfX, float halfZ, float eaves, float ridge) {
  const float rise = ridge - eaves, angle = Degrees(std::atan2(rise, halfZ));
  const float length = std::hypot(rise, halfZ);
  for (float side : {-1.0f, 1.0f}) {
    s.Push();
    s.Translate(0, (eaves + ridge) / 2, side * halfZ / 2);
    s.RotateX(side * angle);
    s.Box(part, {-halfX, 0, -length / 2 - 0.02f}, {halfX, 0.12f, length / 2 + 0.02f});
    s.Pop();
  }
}

void House(Sketch& s) {
  const int walls = s.AddPart("Walls", {178, 76, 56}, "Brick.jpg");
  const int roof = s.AddPart("Roof", {140, 48, 34}, "RoofTiles.jpg");
  const int door = s.AddPart("Door", {92, 54, 36}, "Door.jpg");
  const int windows = s.AddPart("Windows", {120, 160, 200}, "Window.jpg");
  const int chimney = s.AddPart("Chimney", {150, 148, 140}, "Stone.jpg");
  s.SetTile(1.0f);
  s.Box(walls, {-3, 0, -2.5f}, {3, 3, 2.5f});
  s.Push();
  s.RotateY(90);  // the gables' outline is drawn across z
  s.Prism(walls, {{-2.5f, 3}, {2.5f, 3}, {0, 4.5f}}, -3, 3);
  s.Pop();
  GabledRoof(s, roof, 3.3f, 2.9f, 2.85f, 4.65f);
  // Door and windows show their picture once each.
  s.Push();
  s.Translate(-0.5f, 0, -2.54f);
  s.Scale(1.0f, 2.0f, 1.0f);
  s.Box(door, {0, 0, 0}, {1.0f, 1.0f, 0.04f});
  s.Pop();
  s.SetTile(1.2f);
  for (float x : {-2.4f, 1.2f}) s.Box(windows, {x, 0.8f, -2.53f}, {x + 1.2f, 2.0f, -2.5f});
  for (float z : {-1.6f, 0.4f}) s.Box(windows, {3.0f, 0.8f, z}, {3.03f, 2.0f, z + 1.2f});
  s.SetTile(0.5f);
  s.Box(chimney, {1.6f, 3.6f, 0.6f}, {2.2f, 5.2f, 1.2f});
}

void Tower(Sketch& s) {
  const int walls = s.AddPart("Walls", {152, 150, 142}, "Stone.jpg");
  const int battlements = s.AddPart("Battlements", {128, 126, 120}, "Stone.jpg");
  const int roof = s.AddPart("Roof", {132, 44, 32}, "RoofTiles.jpg");
  const int door = s.AddPart("Door", {88, 52, 34}, "Door.jpg");
  s.SetTile(1.5f);
  s.Frustum(walls, 1.6f, 1.5f, 0, 6, 24);
  for (int i = 0; i < 12; ++i) {
    s.Push();
    s.RotateY(30.0f * static_cast<float>(i));
    s.Box(battlements, {-0.3f, 6, 1.25f}, {0.3f, 6.6f, 1.65f});
    s.Pop();
  }
  s.SetTile(1.0f);
  s.Frustum(roof, 1.3f, 0, 6, 8.2f, 24);
  s.SetTile(1.0f);
  s.Push();
  s.Translate(-0.5f, 0, -1.62f);
  s.Scale(1, 2, 1);
  s.Box(door, {0, 0, 0}, {1, 1, 0.1f});
  s.Pop();
}

void Shed(Sketch& s) {
  const int walls = s.AddPart("Walls", {170, 120, 70}, "Planks.jpg");
  const int roof = s.AddPart("Roof", {180, 184, 190}, "Metal.jpg");
  const int door = s.AddPart("Door", {96, 58, 38}, "Door.jpg");
  s.SetTile(1.0f);
  s.Box(walls, {-1.5f, 0, -1.2f}, {1.5f, 2.1f, 1.2f});
  s.Push();
  s.RotateY(90);
  s.Prism(walls, {{-1.2f, 2.1f}, {1.2f, 2.1f}, {0, 2.8f}}, -1.5f, 1.5f);
  s.Pop();
  GabledRoof(s, roof, 1.7f, 1.45f, 2.0f, 2.85f);
  s.Push();
  s.Translate(-0.45f, 0, -1.23f);
  s.Scale(0.9f, 1.8f, 1);
  s.Box(door, {0, 0, 0}, {1, 1, 0.04f});
  s.Pop();
}

void Fence(Sketch& s) {
  const int posts = s.AddPart("Posts", {100, 60, 32}, "DarkWood.jpg");
  const int rails = s.AddPart("Rails", {190, 140, 90}, "Wood.jpg");
  s.SetTile(0.5f);
  for (int i = 0; i < 4; ++i) {
    const float x = -1.5f + static_cast<float>(i);
    s.Box(posts, {x - 0.05f, 0, -0.05f}, {x + 0.05f, 1.1f, 0.05f});
    s.Frustum(posts, 0.07f, 0, 1.1f, 1.2f, 4, false);
  }
  for (float y : {0.3f, 0.8f}) s.Box(rails, {-1.6f, y, -0.09f}, {1.6f, y + 0.12f, -0.05f});
}

void Column(Sketch& s) {
  const int base = s.AddPart("Base", {214, 210, 200});
  const int shaft = s.AddPart("Shaft", {236, 232, 222});
  const int capital = s.AddPart("Capital", {204, 198, 186});
  s.Box(base, {-0.45f, 0, -0.45f}, {0.45f, 0.2f, 0.45f});
  s.Frustum(base, 0.36f, 0.32f, 0.2f, 0.35f, 24);
  s.Frustum(shaft, 0.3f, 0.26f, 0.35f, 3.2f, 16);
  s.Frustum(capital, 0.28f, 0.38f, 3.2f, 3.4f, 24);
  s.Box(capital, {-0.45f, 3.4f, -0.45f}, {0.45f, 3.55f, 0.45f});
}

void BrickWall(Sketch& s) {
  const int wall = s.AddPart("Wall", {170, 72, 52}, "Brick.jpg");
  const int coping = s.AddPart("Coping", {146, 144, 136}, "Stone.jpg");
  s.SetTile(1.0f);
  s.Box(wall, {-2, 0, -0.12f}, {2, 1.5f, 0.12f});
  s.SetTile(0.5f);
  s.Box(coping, {-2.05f, 1.5f, -0.18f}, {2.05f, 1.62f, 0.18f});
}

}  // namespace

void AddBuildings(std::vector<Recipe>* recipes) {
  recipes->push_back({"House", House});
  recipes->push_back({"Tower", Tower});
  recipes->push_back({"Shed", Shed});
  recipes->push_back({"Fence", Fence});
  recipes->push_back({"Column", Column});
  recipes->push_back({"Brick wall", BrickWall});
}

}  // namespace objects
