#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "BlurReference.h"
#include "dof/ApertureMaps.h"

namespace {

struct Format {
  const ChannelLayout& layout;
  void (*blur)(const ApertureJob&);
};
const Format kFormats[] = {{kLayout32, &ApertureBlurPlanes<PixelRgb32>},
                           {kLayout24, &ApertureBlurPlanes<PixelRgb24>},
                           {kLayout555, &ApertureBlurPlanes<PixelRgb555>},
                           {kLayout565, &ApertureBlurPlanes<PixelRgb565>}};

// A picture to blur: the source's size, the 16-bit depth of each source pixel and the map.
struct Scene {
  DWORD width, height;
  std::function<WORD(DWORD x, DWORD y)> depth;
  std::vector<WORD> map;
  bool bright = false;  // channels near their largest, so window sums near theirs
};

// Blurs the scene in every format and z depth, in either row order, like the reference; nothing
// else of the destination and nothing of the source and z-buffer may change.
void ExpectReferenceBlur(const Scene& scene, std::mt19937& rng) {
  for (const Format& format : kFormats) {
    for (unsigned zBytes : {2u, 3u, 4u}) {
      const bool bottomUp = rng() % 2;
      SCOPED_TRACE(testing::Message() << format.layout.bytes << " bytes, z " << zBytes << ", bottom-up " << bottomUp
                                      << ", source " << scene.width << "x" << scene.height);
      TestSurface src(scene.width, scene.height, format.layout.bytes, rng, bottomUp, rng() % 9);
      TestSurface dest(scene.width - 14, scene.height - 14, format.layout.bytes, rng, !bottomUp, rng() % 9);
      TestSurface zBuf(scene.width, scene.height, zBytes, rng, bottomUp, rng() % 5);
      if (scene.bright)
        for (BYTE& byte : src.memory) byte |= 0xF7;
      // Deeper z values carry noise below their top 16 bits, which the kernels ignore.
      for (DWORD y = 0; y < scene.height; ++y)
        for (DWORD x = 0; x < scene.width; ++x)
          zBuf.Set(x, y, DWORD{scene.depth(x, y)} << (8 * zBytes - 16) | (zBytes > 2 ? rng() & 0xFF : 0));
      const TestSurface srcBefore = src, zBefore = zBuf;
      const TestSurface expected = ReferenceBlur(format.layout, src, zBuf, scene.map.data(), dest);

      format.blur({src.Plane(), dest.Plane(), zBuf.Plane(), zBytes, scene.map.data()});

      ASSERT_EQ(dest.memory, expected.memory);
      ASSERT_EQ(src.memory, srcBefore.memory);
      ASSERT_EQ(zBuf.memory, zBefore.memory);
    }
  }
}

std::vector<WORD> MapOf(std::function<WORD(unsigned z)> level) {
  std::vector<WORD> map(kApertureMapSize);
  for (unsigned z = 0; z < kApertureMapSize; ++z) map[z] = level(z);
  return map;
}

}  // namespace

TEST(ApertureKernels, MatchTheReferenceBlur) {
  std::mt19937 rng(11);
  const std::vector<WORD> any = MapOf([&](unsigned) {
    const WORD levels[] = {0, 1, 2, 5, 8, 12, 13, 14, 15, 18, 40, 41, 65535};
    return levels[rng() % std::size(levels)];
  });
  // A new level at almost every pixel; the smallest source has a destination of one pixel.
  for (DWORD width : {15u, 16u, 41u}) {
    std::vector<WORD> depths(width * 27);
    for (WORD& z : depths) z = static_cast<WORD>(rng() % 97);
    ExpectReferenceBlur({width, width == 15 ? 15u : 27u, [=](DWORD x, DWORD y) { return depths[y * width + x]; }, any},
                        rng);
  }
  // Rows alternating two levels.
  for (std::pair<WORD, WORD> levels : {std::pair<WORD, WORD>{2, 3}, {13, 12}, {1, 13}, {5, 14}, {0, 9}})
    ExpectReferenceBlur({34, 19, [](DWORD x, DWORD y) { return static_cast<WORD>((x + y) % 2); },
                         MapOf([=](unsigned z) { return z ? levels.first : levels.second; })},
                        rng);
  // Runs of 5 to 60 pixels of one level, in rows shorter and longer than one look-up's stretch.
  for (DWORD width : {130u, 540u}) {
    std::vector<WORD> depths(width * 22);
    for (std::size_t i = 0; i < depths.size();) {
      const WORD z = static_cast<WORD>(rng() % 14);
      for (std::size_t run = 5 + rng() % 56; run > 0 && i < depths.size(); --run) depths[i++] = z;
    }
    ExpectReferenceBlur({width, 22, [=](DWORD x, DWORD y) { return depths[y * width + x]; },
                         MapOf([](unsigned z) { return static_cast<WORD>(z < 14 ? z : 0); })},
                        rng);
  }
  for (WORD level : {1, 13, 20})
    ExpectReferenceBlur({600, 16, [](DWORD x, DWORD y) { return static_cast<WORD>(x * y); },
                         MapOf([=](unsigned) { return level; }), level == 13},
                        rng);
  // Rows of levels 11 to 13 between gaps of 1 to 14 rows: the column sums pick up after each.
  std::vector<WORD> rowDepths;
  for (WORD gap = 1; gap <= 14; ++gap) {
    rowDepths.insert(rowDepths.end(), 2, static_cast<WORD>(11 + gap % 3));
    rowDepths.insert(rowDepths.end(), gap, WORD{0});
  }
  const DWORD lastRow = static_cast<DWORD>(rowDepths.size()) - 1;
  auto rowDepth = [&](DWORD, DWORD y) { return rowDepths[std::clamp<DWORD>(y, 7, lastRow + 7) - 7]; };
  ExpectReferenceBlur({30, lastRow + 15, rowDepth, MapOf([](unsigned z) { return static_cast<WORD>(z); })}, rng);
  // A tall bright picture: the totals down the columns pass 65535 (after ~260 rows at 8 bits).
  ExpectReferenceBlur({18, 1100, [](DWORD x, DWORD y) { return static_cast<WORD>((x + y) % 4); },
                       MapOf([](unsigned z) { return static_cast<WORD>(z % 4 + 1); }), true},
                      rng);
  // Blocks above the table reach past the band and are clipped at the source's edges.
  for (DWORD size : {15u, 37u})
    ExpectReferenceBlur({size, size + 3, [](DWORD x, DWORD y) { return static_cast<WORD>((7 * x + 3 * y) % 11); },
                         MapOf([](unsigned z) { return static_cast<WORD>(z < 11 ? 14 + 3 * z : 0); })},
                        rng);
}

TEST(ApertureKernels, WorkedExamples) {
  // A 15 x 15 source blurred into one pixel; only the centre's own row and its neighbours matter.
  std::mt19937 rng(3);
  auto blurCentre = [&](WORD level, std::initializer_list<DWORD> row, std::initializer_list<DWORD> above = {}) {
    TestSurface src(15, 15, 4, rng), dest(1, 1, 4, rng), zBuf(15, 15, 2, rng);
    for (DWORD y = 0; y < 15; ++y)
      for (DWORD x = 0; x < 15; ++x) src.Set(x, y, 0x77000000);
    DWORD x = 6;
    for (DWORD v : row) src.Set(x++, 7, v);
    x = 6;
    for (DWORD v : above) src.Set(x++, 6, v);
    const std::vector<WORD> map(kApertureMapSize, level);
    ApertureBlurPlanes<PixelRgb32>({src.Plane(), dest.Plane(), zBuf.Plane(), 2, map.data()});
    return dest.Get(0, 0);
  };
  EXPECT_EQ(blurCentre(1, {0, 0, 2}), 1u);  // 2 / 3 rounds up
  EXPECT_EQ(blurCentre(1, {0, 0, 1}), 0u);
  EXPECT_EQ(blurCentre(1, {0x77000000, 0x77000000, 0x77000000}, {99, 99, 99}), 0u);  // its own row only
  EXPECT_EQ(blurCentre(2, {4, 4, 4}, {1, 0, 0}), 1u);                                 // (13 + 4) / 9
  EXPECT_EQ(blurCentre(0, {5, 0xAB123456, 5}), 0xAB123456u);  // a copy keeps the top byte
  EXPECT_EQ(blurCentre(6, {0x00FEDCBA}) >> 24, 0u);           // a blur clears it
}
