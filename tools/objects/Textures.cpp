#include "Textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace objects {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

float Hash(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

// Smooth value noise in 0..1 that repeats every `period` lattice cells.
float Noise(float x, float y, int period, int seed) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const float fx = x - static_cast<float>(x0), fy = y - static_cast<float>(y0);
  auto at = [&](int i, int j) { return Hash(((i % period) + period) % period, ((j % period) + period) % period, seed); };
  const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
  const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
  return top + (bottom - top) * sy;
}

// Noise over a picture of `size` pixels with `cells` lattice cells across, and finer octaves.
float Fractal(unsigned px, unsigned py, unsigned size, int cells, int seed, int octaves = 3) {
  float sum = 0, weight = 0, amplitude = 1;
  for (int o = 0; o < octaves; ++o, cells *= 2, amplitude *= 0.5f) {
    const float scale = static_cast<float>(cells) / static_cast<float>(size);
    sum += amplitude * Noise(static_cast<float>(px) * scale, static_cast<float>(py) * scale, cells, seed + o);
    weight += amplitude;
  }
  return sum / weight;
}

struct Colour {
  float r, g, b;
};

Colour Mix(Colour a, Colour b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

template <class Shade>
Picture Draw(unsigned width, unsigned height, Shade shade) {
  Picture picture{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 3)};
  for (unsigned y = 0; y < height; ++y)
    for (unsigned x = 0; x < width; ++x) {
      const Colour c = shade(x, y);
      std::uint8_t* p = &picture.rgb[(std::size_t{y} * width + x) * 3];
      p[0] = static_cast<std::uint8_t>(std::clamp(c.r, 0.0f, 255.0f));
      p[1] = static_cast<std::uint8_t>(std::clamp(c.g, 0.0f, 255.0f));
      p[2] = static_cast<std::uint8_t>(std::clamp(c.b, 0.0f, 255.0f));
    }
  return picture;
}

// Grain running along x, rings bent by noise.
Picture Wood(Colour light, Colour dark, int seed) {
  return Draw(128, 128, [=](unsigned x, unsigned y) {
    const float bend = Fractal(x, y, 128, 2, seed) * 6.0f;
    const float rings = 0.5f + 0.5f * std::sin((static_cast<float>(y) / 128.0f * 8.0f + bend) * 2 * kPi);
    const float fleck = Fractal(x, y, 128, 16, seed + 7, 2);
    return Mix(light, dark, rings * 0.7f + fleck * 0.3f);
  });
}

Picture Planks() {
  const Colour light{176, 124, 74}, dark{120, 78, 42}, seam{60, 38, 20};
  return Draw(128, 128, [=](unsigned x, unsigned y) {
    const unsigned row = y / 32;
    if (y % 32 == 0 || (x + row * 53) % 128 == 0) return seam;
    const float grain = 0.5f + 0.5f * std::sin((static_cast<float>(y) / 6.0f + Fractal(x, y, 128, 4, 3) * 4) * kPi);
    return Mix(Mix(light, dark, grain * 0.6f), seam, (row % 2) * 0.12f);
  });
}

// Rows of blocks with offset joints; `rows` rows over the picture, mortar between.
Picture Blocks(Colour face, Colour other, Colour mortar, unsigned rows, unsigned perRow, int seed) {
  return Draw(128, 128, [=](unsigned x, unsigned y) {
    const unsigned rowHeight = 128 / rows, blockWidth = 128 / perRow;
    const unsigned row = y / rowHeight;
    const unsigned shifted = (x + (row % 2) * blockWidth / 2) % 128;
    if (y % rowHeight < 2 || shifted % blockWidth < 2) return mortar;
    const float tone = Hash(static_cast<int>(shifted / blockWidth), static_cast<int>(row), seed);
    const float grit = Fractal(x, y, 128, 16, seed, 2);
    return Mix(Mix(face, other, tone), mortar, grit * 0.35f);
  });
}

Picture RoofTiles() {
  const Colour tile{150, 52, 36}, shade{92, 30, 22};
  return Draw(128, 128, [=](unsigned x, unsigned y) {
    const float fy = static_cast<float>(y % 16) / 16.0f;
    const float round = std::abs(std::sin((static_cast<float>(x) + (y / 16 % 2) * 8.0f) / 16.0f * kPi));
    const float edge = fy > 0.55f + 0.45f * round ? 1.0f : fy * 0.5f;
    return Mix(tile, shade, edge + Fractal(x, y, 128, 8, 21, 2) * 0.2f);
  });
}

Picture Leaves(Colour light, Colour dark, int seed) {
  return Draw(64, 64, [=](unsigned x, unsigned y) {
    const float blobs = Fractal(x, y, 64, 8, seed, 3);
    const float veins = Fractal(x, y, 64, 16, seed + 5, 1);
    return Mix(dark, light, blobs * 1.6f - 0.35f + veins * 0.2f);
  });
}

Picture Bark() {
  const Colour light{122, 94, 70}, dark{58, 42, 30};
  return Draw(64, 128, [=](unsigned x, unsigned y) {
    const float streak = Noise(static_cast<float>(x) / 4.0f, static_cast<float>(y) / 32.0f, 16, 31);
    return Mix(light, dark, streak * 1.3f - 0.1f + Fractal(x, y, 64, 8, 33, 2) * 0.2f);
  });
}

// A plain weave: threads alternate over and under every four pixels.
Picture Fabric(Colour warp, Colour weft, int seed) {
  return Draw(64, 64, [=](unsigned x, unsigned y) {
    const bool over = ((x / 4) + (y / 4)) % 2 == 0;
    const float along = static_cast<float>(over ? x % 4 : y % 4) / 3.0f;
    const Colour thread = over ? warp : weft;
    return Mix(thread, Colour{thread.r * 0.6f, thread.g * 0.6f, thread.b * 0.6f},
               std::abs(along - 0.5f) + Hash(static_cast<int>(x), static_cast<int>(y), seed) * 0.25f);
  });
}

// A window of four panes in a white frame, once over the picture.
Picture Window() {
  const Colour frame{236, 236, 228}, sky{120, 160, 200}, deep{60, 90, 130};
  return Draw(64, 64, [=](unsigned x, unsigned y) {
    if (x < 5 || x > 58 || y < 5 || y > 58 || (x > 29 && x < 34) || (y > 29 && y < 34)) return frame;
    return Mix(sky, deep, static_cast<float>(y % 30) / 30.0f + static_cast<float>(x % 30) / 90.0f);
  });
}

// A panelled door with a brass knob, once over the picture.
Picture Door() {
  const Colour paint{92, 54, 36}, panel{74, 42, 28}, brass{210, 170, 60};
  return Draw(64, 128, [=](unsigned x, unsigned y) {
    const float dx = static_cast<float>(x) - 50.0f, dy = static_cast<float>(y) - 68.0f;
    if (dx * dx + dy * dy < 16) return brass;
    const bool inPanel = x > 10 && x < 54 && ((y > 10 && y < 56) || (y > 76 && y < 118));
    return Mix(inPanel ? panel : paint, Colour{40, 24, 14}, Fractal(x, y, 64, 8, 41, 2) * 0.25f);
  });
}

Picture Straw() {
  const Colour light{226, 196, 110}, dark{170, 136, 60};
  return Draw(64, 64, [=](unsigned x, unsigned y) {
    const float stalk = Noise(static_cast<float>(x) / 2.0f, static_cast<float>(y) / 16.0f, 32, 51);
    return Mix(light, dark, stalk);
  });
}

Picture Metal() {
  const Colour light{196, 200, 206}, dark{130, 134, 142};
  return Draw(64, 64, [=](unsigned x, unsigned y) {
    return Mix(light, dark, Noise(static_cast<float>(x) / 32.0f, static_cast<float>(y) / 1.5f, 2, 61) * 0.5f +
                                Fractal(x, y, 64, 4, 63, 2) * 0.3f);
  });
}

}  // namespace

const std::vector<TextureDrawing>& TextureDrawings() {
  static const std::vector<TextureDrawing> drawings{
      {"Wood.jpg", [] { return Wood({196, 146, 92}, {132, 86, 46}, 1); }},
      {"DarkWood.jpg", [] { return Wood({120, 72, 40}, {70, 40, 22}, 2); }},
      {"Planks.jpg", Planks},
      {"Brick.jpg", [] { return Blocks({170, 70, 50}, {130, 50, 36}, {200, 192, 176}, 8, 4, 11); }},
      {"Stone.jpg", [] { return Blocks({150, 148, 140}, {112, 110, 104}, {84, 82, 78}, 4, 2, 13); }},
      {"RoofTiles.jpg", RoofTiles},
      {"Leaves.jpg", [] { return Leaves({96, 160, 60}, {28, 76, 24}, 17); }},
      {"Needles.jpg", [] { return Leaves({40, 110, 60}, {12, 52, 30}, 19); }},
      {"Bark.jpg", Bark},
      {"Fabric.jpg", [] { return Fabric({70, 100, 170}, {50, 76, 140}, 23); }},
      {"RedFabric.jpg", [] { return Fabric({180, 56, 50}, {150, 40, 40}, 27); }},
      {"Window.jpg", Window},
      {"Door.jpg", Door},
      {"Straw.jpg", Straw},
      {"Metal.jpg", Metal},
  };
  return drawings;
}

}  // namespace objects
