#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "BlurReference.h"
#include "dof/AperturePlanes.h"
#include "dof/ApertureMaps.h"

namespace {

struct Format {
  const char* name;
  const ChannelLayout& layout;
  void (*blur)(const ApertureJob&);
};
const Format kFormats[] = {{"32-bit", kLayout32, &ApertureBlurPlanes<PixelRgb32>},
                           {"24-bit", kLayout24, &ApertureBlurPlanes<PixelRgb24>},
                           {"5:5:5", kLayout555, &ApertureBlurPlanes<PixelRgb555>},
                           {"5:6:5", kLayout565, &ApertureBlurPlanes<PixelRgb565>}};

// A picture to blur: the source's size, the 16-bit depth of each source pixel and the map.
struct Scene {
  DWORD width, height;
  std::function<WORD(DWORD x, DWORD y)> depth;
  std::vector<WORD> map;
};

constexpr DWORD kCanary = 0xC0FFEE11;
constexpr std::size_t kCanaries = 8;

// Blurs the scene in every format, both row orders and every z depth, and compares each result
// with the reference; nothing outside the destination's pixels and the scratch buffers may change.
void ExpectReferenceBlur(const Scene& scene, std::mt19937& rng) {
  for (const Format& format : kFormats) {
    for (bool bottomUp : {false, true}) {
      for (unsigned zBytes : {2u, 3u, 4u}) {
        SCOPED_TRACE(testing::Message() << format.name << (bottomUp ? " bottom-up" : " top-down") << " z bytes "
                                        << zBytes << " source " << scene.width << "x" << scene.height);
        TestSurface src(scene.width, scene.height, format.layout.bytes, bottomUp, rng() % 9, rng);
        TestSurface dest(scene.width - 14, scene.height - 14, format.layout.bytes, !bottomUp, rng() % 9, rng);
        TestSurface zBuf(scene.width, scene.height, zBytes, bottomUp, rng() % 5, rng);
        for (DWORD y = 0; y < scene.height; ++y)
          for (DWORD x = 0; x < scene.width; ++x)
            zBuf.Set(x, y, static_cast<DWORD>(scene.depth(x, y)) << (8 * zBytes - 16) | (rng() & 0xFF));
        std::vector<DWORD> fifos[3];
        for (auto& fifo : fifos) fifo.assign(scene.width + kCanaries, kCanary);
        const std::vector<BYTE> destOutside = dest.OutsideBytes();
        const TestSurface srcBefore = src, zBefore = zBuf;

        format.blur({src.Plane(), dest.Plane(), zBuf.Plane(), zBytes, scene.map.data(), fifos[0].data(),
                     fifos[1].data(), fifos[2].data()});

        const std::vector<DWORD> expected = ReferenceBlur(format.layout, src, zBuf, scene.map.data());
        int mismatches = 0;
        for (DWORD j = 0; j < dest.height && mismatches < 5; ++j) {
          for (DWORD i = 0; i < dest.width && mismatches < 5; ++i) {
            const DWORD want = expected[j * dest.width + i];
            if (dest.Get(i, j) == want) continue;
            ++mismatches;
            ADD_FAILURE() << "pixel " << i << "," << j << " level "
                          << scene.map[scene.depth(i + 7, j + 7)] << ": " << std::hex << dest.Get(i, j)
                          << " instead of " << want;
          }
        }
        EXPECT_EQ(dest.OutsideBytes(), destOutside);
        EXPECT_EQ(src.OutsideBytes(), srcBefore.OutsideBytes());
        for (DWORD y = 0; y < scene.height; ++y)
          for (DWORD x = 0; x < scene.width; ++x) {
            ASSERT_EQ(src.Get(x, y), srcBefore.Get(x, y));
            ASSERT_EQ(zBuf.Get(x, y), zBefore.Get(x, y));
          }
        for (const auto& fifo : fifos)
          for (std::size_t i = scene.width; i < fifo.size(); ++i) ASSERT_EQ(fifo[i], kCanary);
      }
    }
  }
}

std::vector<WORD> RandomMap(std::mt19937& rng, std::vector<WORD> levels) {
  std::vector<WORD> map(kApertureMapSize);
  for (WORD& level : map) level = levels[rng() % levels.size()];
  return map;
}

std::vector<WORD> AllLevels() {
  std::vector<WORD> levels;
  for (WORD n = 0; n <= 20; ++n) levels.push_back(n);
  for (WORD n : {40, 41, 65534, 65535}) levels.push_back(n);
  return levels;
}

}  // namespace

TEST(ApertureKernels, LevelsChangingAtEveryPixelMatchTheReference) {
  std::mt19937 rng(11);
  for (DWORD width : {15u, 16u, 23u, 41u}) {
    const DWORD height = 15 + rng() % 20;
    Scene scene{width, height, [&rng](DWORD, DWORD) { return static_cast<WORD>(rng() % 97); },
                RandomMap(rng, AllLevels())};
    // The depth function is drawn once per pixel and remembered.
    std::vector<WORD> depths(width * height);
    for (WORD& z : depths) z = scene.depth(0, 0);
    scene.depth = [depths, width](DWORD x, DWORD y) { return depths[y * width + x]; };
    ExpectReferenceBlur(scene, rng);
  }
}

TEST(ApertureKernels, RowsAlternatingTwoLevelsMatchTheReference) {
  std::mt19937 rng(12);
  const std::pair<WORD, WORD> pairs[] = {{2, 3}, {13, 12}, {1, 13}, {5, 14}, {0, 9}, {13, 15}};
  for (auto [a, b] : pairs) {
    std::vector<WORD> map(kApertureMapSize, 0);
    map[100] = a;
    map[200] = b;
    ExpectReferenceBlur({34, 19, [](DWORD x, DWORD y) { return static_cast<WORD>((x + y) % 2 ? 100 : 200); }, map},
                        rng);
  }
}

TEST(ApertureKernels, LongRunsOfOneLevelMatchTheReference) {
  std::mt19937 rng(13);
  // Runs of 5 to 60 pixels along each row, each at a table level, in rows longer and shorter than
  // the stretch of levels the kernels look up at once.
  for (DWORD width : {130u, 540u}) {
    const DWORD height = 22;
    std::vector<WORD> depths(width * height);
    for (std::size_t i = 0; i < depths.size();) {
      const WORD z = static_cast<WORD>(rng() % 14);
      for (std::size_t run = 5 + rng() % 56; run > 0 && i < depths.size(); --run) depths[i++] = z;
    }
    std::vector<WORD> map(kApertureMapSize);
    for (WORD n = 0; n < 14; ++n) map[n] = n;
    ExpectReferenceBlur({width, height, [&](DWORD x, DWORD y) { return depths[y * width + x]; }, map}, rng);
  }
  // One level over a whole wide picture.
  for (WORD level : {1, 13, 20}) {
    std::vector<WORD> map(kApertureMapSize, level);
    ExpectReferenceBlur({600, 16, [](DWORD x, DWORD y) { return static_cast<WORD>(x * y); }, map}, rng);
  }
}

TEST(ApertureKernels, BlocksAboveTheTableAreClippedAtTheEdges) {
  std::mt19937 rng(14);
  for (DWORD size : {15u, 22u, 37u}) {
    Scene scene{size, size + 3, [](DWORD x, DWORD y) { return static_cast<WORD>((x * 7 + y * 3) % 11); },
                RandomMap(rng, {14, 15, 16, 22, 27, 40, 65535})};
    ExpectReferenceBlur(scene, rng);
  }
}
