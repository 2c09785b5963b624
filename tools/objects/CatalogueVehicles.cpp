#include "Catalogue.h"

namespace objects {
namespace {

// A wheel or disc turned to face along x, centred at (x, y, z).
void Wheel(Sketch& s, int part, float x, float y, float z, float r, float width, int sides = 18) {
  s.Push();
  s.Translate(x, y, z);
  s.RotateZ(90);
  s.Frustum(part, r, r, -width / 2, width / 2, sides);
  s.Pop();
}

void Car(Sketch& s) {
  const int body = s.AddPart("Body", {200, 30, 36});
  const int cabin = s.AddPart("Cabin", {176, 24, 30});
  const int windows = s.AddPart("Windows", {120, 170, 210});
  const int tyres = s.AddPart("Tyres", {30, 30, 34});
  const int hubcaps = s.AddPart("Hubcaps", {200, 200, 206});
  const int lights = s.AddPart("Lights", {255, 240, 150}, "", false);
  // The car points to -z, its front towards the viewer's left in the thumbnail.
  s.Box(body, {-0.85f, 0.3f, -2.1f}, {0.85f, 0.85f, 2.1f});
  s.Box(cabin, {-0.78f, 0.85f, -0.9f}, {0.78f, 1.35f, 1.0f});
  s.Box(windows, {-0.7f, 0.92f, -0.93f}, {0.7f, 1.28f, -0.9f});
  s.Box(windows, {-0.7f, 0.92f, 1.0f}, {0.7f, 1.28f, 1.03f});
  for (float x : {-0.81f, 0.78f})
    for (float z : {-0.8f, 0.1f}) s.Box(windows, {x, 0.92f, z}, {x + 0.03f, 1.28f, z + 0.8f});
  for (float x : {-0.9f, 0.9f})
    for (float z : {-1.35f, 1.35f}) {
      Wheel(s, tyres, x, 0.34f, z, 0.34f, 0.24f);
      Wheel(s, hubcaps, x + (x > 0 ? 0.125f : -0.125f), 0.34f, z, 0.18f, 0.02f, 12);
    }
  for (float x : {-0.65f, 0.45f}) s.Box(lights, {x, 0.6f, -2.13f}, {x + 0.2f, 0.75f, -2.1f});
}

void Train(Sketch& s) {
  const int boiler = s.AddPart("Boiler", {40, 120, 70});
  const int cab = s.AddPart("Cab", {30, 96, 56});
  const int chassis = s.AddPart("Chassis", {50, 50, 56});
  const int chimney = s.AddPart("Chimney", {24, 24, 28});
  const int wheels = s.AddPart("Wheels", {200, 40, 40});
  const int trim = s.AddPart("Trim", {214, 176, 60});
  s.Box(chassis, {-0.75f, 0.5f, -2.4f}, {0.75f, 0.75f, 2.2f});
  s.Push();
  s.Translate(0, 1.35f, -0.4f);
  s.RotateX(90);
  s.Frustum(boiler, 0.6f, 0.6f, -2.0f, 1.0f, 20);
  s.Pop();
  s.Box(cab, {-0.75f, 0.75f, 0.6f}, {0.75f, 2.3f, 2.2f});
  s.Box(chassis, {-0.85f, 2.3f, 0.5f}, {0.85f, 2.42f, 2.3f});
  s.Frustum(chimney, 0.16f, 0.24f, 1.8f, 2.5f, 12);
  s.Push();
  s.Translate(0, 0, -1.9f);
  s.Frustum(chimney, 0.16f, 0.24f, 1.8f, 2.5f, 12);
  s.Pop();
  s.Push();
  s.Translate(0, 1.35f, -2.42f);
  s.RotateX(90);
  s.Frustum(trim, 0.45f, 0.45f, -0.04f, 0.04f, 20);
  s.Pop();
  for (float x : {-0.8f, 0.8f})
    for (float z : {-1.7f, -0.5f, 0.7f, 1.7f}) Wheel(s, wheels, x, 0.45f, z, 0.45f, 0.12f);
}

void Sailboat(Sketch& s) {
  const int hull = s.AddPart("Hull", {36, 66, 140});
  const int deck = s.AddPart("Deck", {190, 146, 96});
  const int mast = s.AddPart("Mast", {120, 84, 50});
  const int sail = s.AddPart("Sail", {250, 246, 226});
  const int stripe = s.AddPart("Stripe", {236, 236, 230});
  // Seen from the side: the bow points to -x.
  s.RotateY(90);
  // The hull's outline, bow first, drawn in the x-y plane and turned to run along z.
  s.Push();
  s.RotateY(-90);
  s.Prism(hull, {{-2.5f, 0.9f}, {-1.6f, 0.2f}, {1.4f, 0}, {2.2f, 0.3f}, {2.3f, 0.9f}}, -0.6f, 0.6f);
  s.Pop();
  s.Box(deck, {-0.58f, 0.9f, -2.2f}, {0.58f, 0.95f, 2.2f});
  s.Box(stripe, {-0.61f, 0.65f, -1.6f}, {0.61f, 0.75f, 2.1f});
  s.Frustum(mast, 0.05f, 0.04f, 0.95f, 5.0f, 8);
  s.Polygon(sail, {{0, 1.3f, 0.1f}, {0, 4.9f, 0.1f}, {0, 1.3f, 2.0f}}, {1, 0, 0});
  s.Polygon(sail, {{0, 1.3f, 0.1f}, {0, 4.9f, 0.1f}, {0, 1.3f, 2.0f}}, {-1, 0, 0});
  s.Polygon(sail, {{0, 1.5f, -0.1f}, {0, 4.6f, -0.1f}, {0, 1.5f, -1.8f}}, {1, 0, 0});
  s.Polygon(sail, {{0, 1.5f, -0.1f}, {0, 4.6f, -0.1f}, {0, 1.5f, -1.8f}}, {-1, 0, 0});
}

void Airplane(Sketch& s) {
  const int fuselage = s.AddPart("Fuselage", {236, 236, 240});
  const int wings = s.AddPart("Wings", {40, 90, 180});
  const int tail = s.AddPart("Tail", {200, 40, 40});
  const int cockpit = s.AddPart("Cockpit", {100, 150, 200});
  const int propeller = s.AddPart("Propeller", {50, 50, 54});
  // Nose to -z.
  s.Push();
  s.Translate(0, 1.0f, 0);
  s.RotateX(90);
  s.Frustum(fuselage, 0.35f, 0.4f, -2.0f, 0.5f, 16);
  s.Frustum(fuselage, 0.4f, 0.12f, 0.5f, 3.2f, 16);
  s.Frustum(propeller, 0.12f, 0.3f, -2.3f, -2.0f, 12);
  s.Pop();
  s.Box(wings, {-3.2f, 0.85f, -1.2f}, {3.2f, 0.95f, -0.1f});
  s.Box(tail, {-1.1f, 1.05f, 2.6f}, {1.1f, 1.12f, 3.2f});
  s.Box(tail, {-0.04f, 1.1f, 2.5f}, {0.04f, 2.0f, 3.2f});
  s.Ellipsoid(cockpit, {0, 1.35f, -0.6f}, {0.3f, 0.25f, 0.6f}, 14, 8);
  s.Box(propeller, {-0.06f, 0.1f, -2.36f}, {0.06f, 1.9f, -2.3f});
  for (float x : {-0.5f, 0.5f}) {
    s.Push();
    s.Translate(x, 0, -0.6f);
    s.Frustum(propeller, 0.03f, 0.03f, 0.2f, 0.85f, 6);
    s.Pop();
    Wheel(s, propeller, x, 0.18f, -0.6f, 0.18f, 0.1f, 12);
  }
}

void Rocket(Sketch& s) {
  const int body = s.AddPart("Body", {220, 222, 228});
  const int nose = s.AddPart("Nose", {210, 40, 40});
  const int fins = s.AddPart("Fins", {180, 30, 36});
  const int window = s.AddPart("Window", {60, 130, 200});
  const int flame = s.AddPart("Flame", {255, 170, 40}, "", false);
  s.Frustum(body, 0.4f, 0.4f, 0.6f, 3.0f, 20);
  s.Frustum(nose, 0.4f, 0, 3.0f, 4.0f, 20);
  s.Frustum(fins, 0.3f, 0.4f, 0.4f, 0.6f, 20);
  for (int i = 0; i < 3; ++i) {
    s.Push();
    s.RotateY(120.0f * static_cast<float>(i) + 30);
    s.Prism(fins, {{0.35f, 0.4f}, {1.0f, 0.3f}, {1.0f, 0.7f}, {0.35f, 1.6f}}, -0.03f, 0.03f);
    s.Pop();
  }
  s.Push();
  s.Translate(0, 2.3f, -0.36f);
  s.RotateX(90);
  s.Frustum(window, 0.16f, 0.16f, -0.06f, 0.06f, 16);
  s.Pop();
  s.Frustum(flame, 0.05f, 0.28f, 0, 0.4f, 12);
}

}  // namespace

void AddVehicles(std::vector<Recipe>* recipes) {
  recipes->push_back({"Car", Car});
  recipes->push_back({"Steam engine", Train});
  recipes->push_back({"Sailboat", Sailboat});
  recipes->push_back({"Airplane", Airplane});
  recipes->push_back({"Rocket", Rocket});
}

}  // namespace objects
