#include "Catalogue.h"

namespace objects {
namespace {

void Chair(Sketch& s) {
  const int seat = s.AddPart("Seat", {168, 84, 52});
  const int legs = s.AddPart("Legs", {92, 56, 34});
  const int back = s.AddPart("Back", {140, 92, 58});
  s.Box(seat, {-0.23f, 0.43f, -0.23f}, {0.23f, 0.48f, 0.23f});
  for (float x : {-0.21f, 0.17f})
    for (float z : {-0.21f, 0.17f}) s.Box(legs, {x, 0, z}, {x + 0.04f, 0.43f, z + 0.04f});
  for (float x : {-0.21f, 0.17f}) s.Box(back, {x, 0.48f, 0.17f}, {x + 0.04f, 0.95f, 0.21f});
  s.Box(back, {-0.17f, 0.62f, 0.18f}, {0.17f, 0.9f, 0.2f});
}

void Table(Sketch& s) {
  const int top = s.AddPart("Top", {186, 136, 86}, "Wood.jpg");
  const int legs = s.AddPart("Legs", {104, 62, 34}, "DarkWood.jpg");
  s.SetTile(0.6f);
  s.Box(top, {-0.6f, 0.71f, -0.4f}, {0.6f, 0.75f, 0.4f});
  s.Box(top, {-0.54f, 0.63f, -0.34f}, {0.54f, 0.71f, 0.34f});
  for (float x : {-0.55f, 0.49f})
    for (float z : {-0.35f, 0.29f}) s.Box(legs, {x, 0, z}, {x + 0.06f, 0.71f, z + 0.06f});
}

void Sofa(Sketch& s) {
  const int frame = s.AddPart("Frame", {62, 90, 158}, "Fabric.jpg");
  const int cushions = s.AddPart("Cushions", {168, 52, 46}, "RedFabric.jpg");
  const int feet = s.AddPart("Feet", {84, 50, 28}, "DarkWood.jpg");
  s.SetTile(0.3f);
  s.Box(frame, {-1.0f, 0.1f, -0.45f}, {1.0f, 0.4f, 0.45f});
  s.Box(frame, {-1.0f, 0.4f, 0.2f}, {1.0f, 0.85f, 0.45f});
  for (float x : {-1.0f, 0.8f}) s.Box(frame, {x, 0.4f, -0.45f}, {x + 0.2f, 0.62f, 0.2f});
  for (float x : {-0.8f, 0.0f}) s.Box(cushions, {x + 0.01f, 0.4f, -0.43f}, {x + 0.79f, 0.52f, 0.2f});
  for (float x : {-0.8f, 0.0f}) s.Box(cushions, {x + 0.01f, 0.45f, 0.08f}, {x + 0.79f, 0.8f, 0.2f});
  for (float x : {-0.95f, 0.87f})
    for (float z : {-0.4f, 0.32f}) s.Box(feet, {x, 0, z}, {x + 0.08f, 0.1f, z + 0.08f});
}

void Bed(Sketch& s) {
  const int frame = s.AddPart("Frame", {176, 128, 80}, "Wood.jpg");
  const int blanket = s.AddPart("Blanket", {160, 50, 48}, "RedFabric.jpg");
  const int pillow = s.AddPart("Pillow", {70, 98, 166}, "Fabric.jpg");
  s.SetTile(0.5f);
  s.Box(frame, {-0.5f, 0.15f, -1.0f}, {0.5f, 0.3f, 1.0f});
  s.Box(frame, {-0.5f, 0, 1.0f}, {0.5f, 0.95f, 1.06f});
  s.Box(frame, {-0.5f, 0, -1.06f}, {0.5f, 0.5f, -1.0f});
  for (float x : {-0.5f, 0.44f}) s.Box(frame, {x, 0, -0.94f}, {x + 0.06f, 0.15f, 0.94f});
  s.Box(blanket, {-0.48f, 0.3f, -0.98f}, {0.48f, 0.5f, 0.55f});
  s.Box(pillow, {-0.35f, 0.3f, 0.6f}, {0.35f, 0.45f, 0.95f});
}

void Bookcase(Sketch& s) {
  const int frame = s.AddPart("Case", {150, 104, 64});
  const int red = s.AddPart("Red books", {180, 40, 40});
  const int blue = s.AddPart("Blue books", {40, 70, 170});
  const int green = s.AddPart("Green books", {40, 130, 60});
  const int yellow = s.AddPart("Yellow books", {220, 180, 50});
  s.Box(frame, {-0.45f, 0, 0.13f}, {0.45f, 1.8f, 0.15f});
  for (float x : {-0.45f, 0.42f}) s.Box(frame, {x, 0, -0.15f}, {x + 0.03f, 1.8f, 0.15f});
  for (float y : {0.0f, 0.45f, 0.9f, 1.35f, 1.77f}) s.Box(frame, {-0.42f, y, -0.15f}, {0.42f, y + 0.03f, 0.13f});
  const int colours[] = {red, blue, green, yellow};
  for (int shelf = 0; shelf < 4; ++shelf) {
    const float y = 0.03f + 0.45f * static_cast<float>(shelf);
    float x = -0.41f;
    for (int book = 0; x < 0.3f; ++book) {
      const float width = 0.04f + 0.02f * static_cast<float>((book * 7 + shelf * 3) % 3);
      const float height = 0.28f + 0.04f * static_cast<float>((book * 5 + shelf) % 3);
      s.Box(colours[(book + shelf) % 4], {x, y, -0.1f}, {x + width - 0.005f, y + height, 0.12f});
      x += width;
    }
  }
}

void Lamp(Sketch& s) {
  const int base = s.AddPart("Base", {60, 60, 66});
  const int stand = s.AddPart("Stand", {190, 190, 200});
  const int shade = s.AddPart("Shade", {236, 222, 180});
  const int bulb = s.AddPart("Bulb", {255, 244, 170}, "", false);
  s.Frustum(base, 0.16f, 0.14f, 0, 0.04f, 20);
  s.Frustum(stand, 0.015f, 0.015f, 0.04f, 1.35f, 10);
  s.Frustum(shade, 0.24f, 0.12f, 1.3f, 1.6f, 20);
  s.Ellipsoid(bulb, {0, 1.28f, 0}, {0.06f, 0.06f, 0.06f}, 12, 8);
}

}  // namespace

void AddFurniture(std::vector<Recipe>* recipes) {
  recipes->push_back({"Chair", Chair});
  recipes->push_back({"Table", Table});
  recipes->push_back({"Sofa", Sofa});
  recipes->push_back({"Bed", Bed});
  recipes->push_back({"Bookcase", Bookcase});
  recipes->push_back({"Floor lamp", Lamp});
}

}  // namespace objects
