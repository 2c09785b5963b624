#include "Catalogue.h"

namespace objects {
namespace {

void Blob(Sketch& s, int part, float x, float y, float z, float rx, float ry, float rz) {
  s.Ellipsoid(part, {x, y, z}, {rx, ry, rz});
}

// A limb: a cylinder from (x, y, z) hanging down by `length`, tilted about z.
void Limb(Sketch& s, int part, float x, float y, float z, float r, float length, float tilt) {
  s.Push();
  s.Translate(x, y, z);
  s.RotateZ(tilt);
  s.Frustum(part, r, r, -length, 0, 10);
  s.Pop();
}

void Person(Sketch& s) {
  const int skin = s.AddPart("Skin", {236, 190, 150});
  const int hair = s.AddPart("Hair", {90, 56, 30});
  const int shirt = s.AddPart("Shirt", {50, 110, 190});
  const int trousers = s.AddPart("Trousers", {40, 46, 80});
  const int shoes = s.AddPart("Shoes", {34, 28, 24});
  Blob(s, skin, 0, 1.62f, 0, 0.1f, 0.12f, 0.11f);
  Blob(s, hair, 0, 1.68f, 0.02f, 0.105f, 0.09f, 0.11f);
  s.Frustum(skin, 0.045f, 0.045f, 1.44f, 1.52f, 8);
  s.Push();
  s.Scale(1, 1, 0.6f);
  s.Frustum(shirt, 0.16f, 0.2f, 0.95f, 1.45f, 14);
  s.Frustum(trousers, 0.17f, 0.16f, 0.85f, 0.95f, 14);
  s.Pop();
  for (float side : {-1.0f, 1.0f}) {
    Limb(s, shirt, side * 0.23f, 1.42f, 0, 0.05f, 0.3f, side * 10);
    Limb(s, skin, side * 0.285f, 1.13f, 0, 0.04f, 0.3f, side * 5);
    Blob(s, skin, side * 0.31f, 0.82f, 0, 0.04f, 0.06f, 0.04f);
    Limb(s, trousers, side * 0.09f, 0.9f, 0, 0.075f, 0.82f, 0);
    Blob(s, shoes, side * 0.09f, 0.05f, -0.04f, 0.07f, 0.06f, 0.13f);
  }
}

void Snowman(Sketch& s) {
  const int snow = s.AddPart("Snow", {244, 246, 250});
  const int hat = s.AddPart("Hat", {30, 30, 36});
  const int nose = s.AddPart("Nose", {240, 120, 30});
  const int coal = s.AddPart("Coal", {50, 50, 56});
  const int scarf = s.AddPart("Scarf", {200, 30, 40});
  Blob(s, snow, 0, 0.4f, 0, 0.45f, 0.42f, 0.45f);
  Blob(s, snow, 0, 1.0f, 0, 0.33f, 0.3f, 0.33f);
  Blob(s, snow, 0, 1.46f, 0, 0.22f, 0.21f, 0.22f);
  s.Frustum(scarf, 0.22f, 0.2f, 1.22f, 1.3f, 16);
  s.Box(scarf, {0.05f, 0.95f, -0.26f}, {0.15f, 1.26f, -0.22f});
  s.Frustum(hat, 0.26f, 0.26f, 1.62f, 1.65f, 16);
  s.Frustum(hat, 0.15f, 0.15f, 1.65f, 1.92f, 16);
  s.Push();
  s.Translate(0, 1.46f, -0.2f);
  s.RotateX(-90);
  s.Frustum(nose, 0.035f, 0, 0, 0.18f, 8);
  s.Pop();
  for (float x : {-0.07f, 0.07f}) Blob(s, coal, x, 1.52f, -0.195f, 0.025f, 0.025f, 0.02f);
  for (float y : {0.9f, 1.02f, 1.14f}) Blob(s, coal, 0, y, -0.32f + (y - 1.0f) * (y - 1.0f) * 2, 0.03f, 0.03f, 0.02f);
}

void Robot(Sketch& s) {
  const int body = s.AddPart("Body", {150, 156, 166});
  const int head = s.AddPart("Head", {186, 190, 198});
  const int eyes = s.AddPart("Eyes", {60, 230, 240}, "", false);
  const int limbs = s.AddPart("Arms and legs", {90, 94, 104});
  const int antenna = s.AddPart("Antenna", {220, 40, 40});
  const int panel = s.AddPart("Panel", {240, 190, 40});
  s.Box(body, {-0.3f, 0.7f, -0.2f}, {0.3f, 1.3f, 0.2f});
  s.Box(panel, {-0.15f, 0.9f, -0.22f}, {0.15f, 1.15f, -0.2f});
  s.Box(head, {-0.2f, 1.35f, -0.18f}, {0.2f, 1.65f, 0.18f});
  s.Frustum(limbs, 0.06f, 0.06f, 1.3f, 1.35f, 10);
  for (float x : {-0.09f, 0.09f}) s.Box(eyes, {x - 0.05f, 1.5f, -0.2f}, {x + 0.05f, 1.56f, -0.18f});
  s.Frustum(antenna, 0.01f, 0.01f, 1.65f, 1.85f, 6);
  s.Ellipsoid(antenna, {0, 1.87f, 0}, {0.04f, 0.04f, 0.04f}, 10, 6);
  for (float side : {-1.0f, 1.0f}) {
    s.Box(limbs, {side * 0.3f - 0.04f + side * 0.06f, 0.75f, -0.06f}, {side * 0.3f + 0.04f + side * 0.06f, 1.25f, 0.06f});
    s.Box(limbs, {side * 0.14f - 0.07f, 0, -0.08f}, {side * 0.14f + 0.07f, 0.7f, 0.08f});
    s.Box(body, {side * 0.14f - 0.09f, 0, -0.14f}, {side * 0.14f + 0.09f, 0.08f, 0.1f});
  }
}

void Dog(Sketch& s) {
  const int fur = s.AddPart("Fur", {180, 130, 80});
  const int ears = s.AddPart("Ears", {110, 72, 40});
  const int nose = s.AddPart("Nose", {30, 26, 24});
  const int eyes = s.AddPart("Eyes", {20, 20, 60});
  const int collar = s.AddPart("Collar", {210, 40, 40});
  // Facing -z.
  Blob(s, fur, 0, 0.42f, 0.05f, 0.17f, 0.16f, 0.36f);
  Blob(s, fur, 0, 0.62f, -0.34f, 0.12f, 0.12f, 0.13f);
  Blob(s, fur, 0, 0.58f, -0.47f, 0.06f, 0.05f, 0.08f);
  Blob(s, nose, 0, 0.6f, -0.55f, 0.025f, 0.02f, 0.02f);
  for (float side : {-1.0f, 1.0f}) {
    Blob(s, ears, side * 0.11f, 0.62f, -0.3f, 0.03f, 0.1f, 0.06f);
    Blob(s, eyes, side * 0.05f, 0.67f, -0.45f, 0.018f, 0.018f, 0.015f);
    for (float z : {-0.2f, 0.3f}) Limb(s, fur, side * 0.09f, 0.4f, z, 0.045f, 0.4f, 0);
  }
  s.Push();
  s.Translate(0, 0.48f, 0.4f);
  s.RotateX(-35);
  s.Frustum(fur, 0.03f, 0.01f, 0, 0.25f, 8);
  s.Pop();
  s.Push();
  s.Translate(0, 0.54f, -0.27f);
  s.RotateX(-20);
  s.Frustum(collar, 0.1f, 0.1f, -0.02f, 0.02f, 14);
  s.Pop();
}

}  // namespace

void AddFigures(std::vector<Recipe>* recipes) {
  recipes->push_back({"Person", Person});
  recipes->push_back({"Snowman", Snowman});
  recipes->push_back({"Robot", Robot});
  recipes->push_back({"Dog", Dog});
}

}  // namespace objects
