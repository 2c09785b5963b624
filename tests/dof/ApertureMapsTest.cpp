#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "dof/ApertureLevels.h"
#include "dof/ApertureMaps.h"
#include "support/FatalCheck.h"

namespace {

struct Lens {
  double f = 0.05, d = 3, fstop = 0.5, A = 0, D = 0.5, F = 40, h = 0.2;
  POINT imgRes{654, 494};
  WORD maxLevel = 13;
};

const WORD* Map(const Lens& l) {
  return ApertureModelMap(l.f, l.d, l.fstop, l.A, l.D, l.F, l.h, l.imgRes, l.maxLevel);
}

// The z value of a subject at distance u, and back.
struct Scale {
  Scale(double D, double F) : K(65535 * (F / (F - D))), KD(K * D) {}
  double Z(double u) const { return K - KD / u; }
  double Distance(double z) const { return KD / (K - z); }
  double K, KD;
};

// Every entry holds the least level (0 .. 13, 14, 16 ... up to maxLevel rounded down to even)
// whose reach covers the blur at its depth; an entry holding a limit takes the level beyond it.
// reach(k, n) is the largest blur the k-th level n covers; a hair from a limit may go either way.
void ExpectMap(const WORD* map, unsigned maxLevel, double focus, const std::function<double(double)>& blur,
               const std::function<double(unsigned, unsigned)>& reach) {
  if (maxLevel > 13) maxLevel &= ~1u;
  std::vector<unsigned> levels;
  std::vector<double> reaches;
  for (unsigned n = 0; n <= maxLevel; n += n < 14 ? 1 : 2) {
    reaches.push_back(reach(static_cast<unsigned>(levels.size()), n));
    levels.push_back(n);
  }
  auto levelAt = [&](double z, double slack) {
    const auto it = std::lower_bound(reaches.begin(), reaches.end(), blur(z) / slack);
    return it == reaches.end() ? levels.back() : levels[it - reaches.begin()];
  };
  auto expected = [&](unsigned i, double slack) {
    const unsigned nearSide = levelAt(std::nextafter(i, -1.0), slack);
    const unsigned farSide = levelAt(i == 65535 ? std::nextafter(65535.0, 1e9) : i + 1.0, slack);
    return i + 1.0 <= focus ? nearSide : i > focus ? farSide : std::max(nearSide, farSide);
  };
  for (unsigned i = 0, mismatches = 0; i < kApertureMapSize && mismatches < 5; ++i) {
    if (map[i] == expected(i, 1 + 1e-9) || map[i] == expected(i, 1 - 1e-9)) continue;
    ADD_FAILURE() << "entry " << i << " holds " << map[i] << ", expected " << expected(i, 1);
    ++mismatches;
  }
}

void ExpectThinLensMap(const Lens& l) {
  SCOPED_TRACE(testing::Message() << "f " << l.f << " d " << l.d << " fstop " << l.fstop << " D " << l.D << " F "
                                  << l.F << " max " << l.maxLevel << " pixels " << l.imgRes.x);
  const Scale scale(l.D, l.F);
  const double pix = (l.f / l.D) / std::max(l.imgRes.x, l.imgRes.y) * l.h * 2;
  const double v = 1 / std::max(1 / l.f - 1 / l.d, DBL_EPSILON);
  // The blur circle in pixels, and the diameter of the disc as large as a level's window.
  auto circle = [&](double z) { return v * (l.f / l.fstop) * std::abs(1 / scale.Distance(z) - (1 / l.f - 1 / v)) / pix; };
  auto disc = [](unsigned, unsigned n) {
    const double rows = 2 * (n / 2) + 1.0, columns = n < 14 ? 2 * ((n + 1) / 2) + 1.0 : rows;
    return std::sqrt(rows * columns * 4 / 3.141592653589793);
  };
  ExpectMap(Map(l), l.maxLevel, scale.Z(l.d), circle, disc);
}

}  // namespace

// A walk up to the largest level ends past it instead of wrapping round to 0.
TEST(ApertureLevels, TheSequenceDoesNotWrap) { EXPECT_EQ(ApertureNextLevel(65534), 65536u); }

TEST(ApertureModelMap, EveryEntryHoldsTheLeastLevelWhoseBlurCircleCoversIt) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int round = 0; round < 40; ++round) {
    Lens l;
    l.f = 0.02 + 0.2 * unit(rng);
    l.D = 0.1 + unit(rng);
    l.F = l.D * (2 + 200 * unit(rng));
    // The focus before the front plane, inside the depth range, or beyond the back plane.
    l.d = std::max(l.f, round % 3 == 0 ? l.D * 0.7 : round % 3 == 1 ? l.D + (l.F - l.D) * unit(rng) : 3 * l.F);
    l.fstop = std::pow(2.0, 6 * unit(rng));
    l.imgRes.x = 200 + static_cast<LONG>(1200 * unit(rng));
    l.maxLevel = round % 2 ? 13 : static_cast<WORD>(13 + 60 * unit(rng));
    ExpectThinLensMap(l);
  }
  // A focus at the focal length; odd or top maxima, with pixels so small that the levels run out.
  ExpectThinLensMap({.d = 0.05, .D = 0.01});
  for (WORD maxLevel : {15, 41, 65535}) ExpectThinLensMap({.imgRes = {1 << 30, 1}, .maxLevel = maxLevel});
}

TEST(LinearModelMap, BandsOfEqualWidthAroundTheFocus) {
  // Level k reaches blur / 2 + k blur from the focus.
  const Scale scale(1, 100);
  for (double d : {0.4, 10.0, 150.0})
    for (double blur : {0.05, 1.0, 7.0})
      ExpectMap(LinearModelMap(d, blur, 1, 100, 40), 40, scale.Z(d),
                [&](double z) { return std::abs(scale.Distance(z) - d); },
                [&](unsigned k, unsigned) { return blur / 2 + k * blur; });
}

TEST(ApertureStopForDepth, KeepsBothEndsOfASubjectWithinOnePixel) {
  Lens l;
  const Scale scale(l.D, l.F);
  EXPECT_EQ(ApertureStopForDepth(l.f, 3, 3, 0, l.D, l.F, l.h, l.imgRes), 0);
  for (double r : {0.1, 0.5, 1.5}) {
    l.fstop = std::max(ApertureStopForDepth(l.f, 3, 3 - r, 0, l.D, l.F, l.h, l.imgRes),
                       ApertureStopForDepth(l.f, 3, 3 + r, 0, l.D, l.F, l.h, l.imgRes));
    EXPECT_EQ(Map(l)[static_cast<unsigned>(scale.Z(3 - r))], 0) << r;
    EXPECT_EQ(Map(l)[static_cast<unsigned>(scale.Z(3 + r))], 0) << r;
  }
}

TEST(LensModels, RefuseBadSettingsInOrder) {
  // Each case spoils its own setting last and every later one before it: its check fires first.
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const char* const virtualImage = "Virtual images not allowed";
  const char* const ahead =
      "The correction for aperture on same side as subject is not implemented yet.  Use 0.0 as a "
      "reasonable approximation";
  struct Check {
    void (*spoil)(Lens&);
    const char *expression, *message;
  };
  const Check checks[] = {{[](Lens& l) { l.f = kNaN; }, "f > 0.0", ""},
                          {[](Lens& l) { l.d = kNaN; }, "d >= f", virtualImage},
                          {[](Lens& l) { l.fstop = 0; }, "fstop > 0.0", ""},
                          {[](Lens& l) { l.A = -1; }, "A >= 0.0", ahead},
                          {[](Lens& l) { l.D = kNaN; }, "D > 0.0", ""},
                          {[](Lens& l) { l.F = -1; }, "F > 0.0", ""},
                          {[](Lens& l) { l.F = l.D / 2; }, "F > D", ""},
                          {[](Lens& l) { l.h = 0; }, "h > 0.0", ""},
                          {[](Lens& l) { l.imgRes.y = 0; }, "imgRes.x > 0 && imgRes.y > 0", ""}};
  for (std::size_t first = 0; first < std::size(checks); ++first) {
    Lens l;
    for (std::size_t i = std::size(checks); i-- > first;) checks[i].spoil(l);
    EXPECT_FATAL(Map(l), checks[first].expression, checks[first].message);
  }
  // The stop for a depth checks the second distance before the view, which it shares with the map.
  Lens l;
  l.A = -1;
  EXPECT_FATAL(ApertureStopForDepth(l.f, l.d, l.f / 2, l.A, l.D, l.F, l.h, l.imgRes), "d2 >= f", virtualImage);

  const char* const linear[] = {"d > 0.0", "blur > 0.0", "D > 0.0", "F > 0.0", "F > D"};
  for (int first = 0; first < 5; ++first) {
    double args[4] = {10, 1, 1, 100};  // d, blur, D, F: spoiled from the last
    for (int i = 4; i >= first; --i) args[std::min(i, 3)] = i == 4 ? 0.5 : i == 3 ? -1 : kNaN;
    EXPECT_FATAL(LinearModelMap(args[0], args[1], args[2], args[3], 13), linear[first], "");
  }
}
