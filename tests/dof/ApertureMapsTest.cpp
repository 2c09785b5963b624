#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "dof/ApertureMaps.h"
#include "support/FatalCheck.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const char* const kAheadOfLens =
    "The correction for aperture on same side as subject is not implemented yet.  Use 0.0 as a "
    "reasonable approximation";

struct Lens {
  double f = 0.05, d = 3, fstop = 0.5, A = 0, D = 0.5, F = 40, h = 0.2;
  POINT imgRes{654, 494};
  WORD maxLevel = 13;
};

const WORD* Map(const Lens& l) {
  return ApertureModelMap(l.f, l.d, l.fstop, l.A, l.D, l.F, l.h, l.imgRes, l.maxLevel);
}

// z value of a subject at distance u, and the distance of a z value.
struct Scale {
  Scale(double D, double F) : K(65535 * (F / (F - D))), KD(K * D) {}
  double Z(double u) const { return K - KD / u; }
  double Distance(double z) const { return KD / (K - z); }
  double K, KD;
};

// Expected level of every entry from the blur alone: an entry gets the least level whose reach
// covers its depth, and the entry that holds a limit gets the level beyond it. `blur(z)` measures
// the blur at depth z, `reach(k, n)` the largest blur that the k-th level n of the sequence covers;
// `slack` scales the reaches, so that entries right at a limit can be let either way.
using Measure = std::function<double(double)>;
using Reach = std::function<double(unsigned, unsigned)>;

std::vector<unsigned> ExpectedMap(unsigned maxLevel, double focus, const Measure& blur, const Reach& reach,
                                  double slack) {
  std::vector<unsigned> levels;
  std::vector<double> reaches;
  for (unsigned n = 0; n <= maxLevel; n += n < 14 ? 1 : 2) {
    reaches.push_back(reach(static_cast<unsigned>(levels.size()), n) * slack);
    levels.push_back(n);
  }
  auto levelAt = [&](double z) {
    const auto it = std::lower_bound(reaches.begin(), reaches.end(), blur(z));
    return it == reaches.end() ? levels.back() : levels[it - reaches.begin()];
  };
  std::vector<unsigned> expected(kApertureMapSize);
  for (unsigned i = 0; i < kApertureMapSize; ++i) {
    const unsigned nearSide = levelAt(std::nextafter(static_cast<double>(i), -1.0));
    const unsigned farSide = levelAt(i == kApertureMapSize - 1 ? std::nextafter(65535.0, 1e9) : i + 1.0);
    if (i + 1.0 <= focus) expected[i] = nearSide;
    else if (i > focus) expected[i] = farSide;
    else expected[i] = std::max(nearSide, farSide);
  }
  return expected;
}

void ExpectMap(const WORD* map, unsigned maxLevel, double focus, const Measure& blur, const Reach& reach) {
  const std::vector<unsigned> expected = ExpectedMap(maxLevel, focus, blur, reach, 1 + 1e-9);
  const std::vector<unsigned> loose = ExpectedMap(maxLevel, focus, blur, reach, 1 - 1e-9);
  int mismatches = 0;
  for (unsigned i = 0; i < kApertureMapSize && mismatches < 5; ++i) {
    if (map[i] == expected[i] || map[i] == loose[i]) continue;
    ADD_FAILURE() << "entry " << i << " holds " << map[i] << ", expected " << expected[i];
    ++mismatches;
  }
}

// Blur-circle diameter in pixels of a subject at distance u for a thin lens.
double BlurPixels(const Lens& l, double u) {
  const double pix = (l.f / l.D) / std::max(l.imgRes.x, l.imgRes.y) * l.h * 2;
  const double v = 1 / std::max(1 / l.f - 1 / l.d, DBL_EPSILON);
  return v * (l.f / l.fstop) * std::abs(1 / u - (1 / l.f - 1 / v)) / pix;
}

// The diameter of the disc with the area of the level's window.
double Diameter(unsigned, unsigned n) {
  const double rows = 2 * (n / 2) + 1.0;
  const double columns = n < 14 ? 2 * ((n + 1) / 2) + 1.0 : rows;
  return std::sqrt(rows * columns * 4 / 3.141592653589793);
}

void ExpectThinLensMap(const Lens& l) {
  SCOPED_TRACE(testing::Message() << "f " << l.f << " d " << l.d << " fstop " << l.fstop << " D " << l.D << " F "
                                  << l.F << " max " << l.maxLevel);
  const Scale scale(l.D, l.F);
  const unsigned maxLevel = l.maxLevel > 13 ? l.maxLevel & ~1u : l.maxLevel;
  ExpectMap(Map(l), maxLevel, scale.Z(l.d), [&](double z) { return BlurPixels(l, scale.Distance(z)); }, Diameter);
}

}  // namespace

TEST(ApertureModelMap, EveryEntryHoldsTheLeastLevelWhoseBlurCircleCoversIt) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int round = 0; round < 40; ++round) {
    Lens l;
    l.f = 0.02 + 0.2 * unit(rng);
    l.D = 0.1 + unit(rng);
    l.F = l.D * (2 + 200 * unit(rng));
    // Focus in front of the front plane, inside the depth range, and beyond the back plane.
    const double place = round % 4 == 0 ? 0.3 : round % 4 == 1 ? 3 : unit(rng);
    l.d = std::max(l.f, place < 1 ? l.D + (l.F - l.D) * place : l.F * place);
    if (round % 4 == 0) l.d = std::max(l.f, l.D * 0.7);
    l.fstop = std::pow(2.0, 6 * unit(rng));
    l.imgRes = {200 + static_cast<LONG>(1200 * unit(rng)), 200};
    l.maxLevel = round % 3 == 0 ? 13 : static_cast<WORD>(13 + 60 * unit(rng));
    ExpectThinLensMap(l);
  }
}

TEST(ApertureModelMap, MapsGrowAwayFromTheFocusAndEndAtTheMaximum) {
  Lens l;
  const Scale scale(l.D, l.F);
  const unsigned focus = static_cast<unsigned>(scale.Z(l.d));

  const WORD* map = Map(l);
  EXPECT_EQ(map[focus], 0);
  EXPECT_EQ(map[0], 13);
  EXPECT_EQ(map[65535], 13);
  EXPECT_TRUE(std::is_sorted(map + focus, map + 65536));
  EXPECT_TRUE(std::is_sorted(std::reverse_iterator(map + focus + 1), std::reverse_iterator(map)));

  // A weak blur closes both sides before the levels run out.
  l.fstop = 30;
  map = Map(l);
  EXPECT_LT(*std::max_element(map, map + 65536), 13);
  EXPECT_GT(map[0], 0);

  // An odd maximum above the table stands for the even level below it; a maximum at the top of
  // the range ends its walk.
  l.fstop = 0.5;
  for (WORD maxLevel : {15, 41, 65535}) {
    l.maxLevel = maxLevel;
    if (maxLevel == 65535) l.imgRes.x = 1 << 30;  // pixels so small that every level is used up
    map = Map(l);
    EXPECT_EQ(map[0], maxLevel - 1);
    EXPECT_EQ(*std::max_element(map, map + 65536), maxLevel - 1);
  }

  // Focus at the focal length: the film distance is as large as it gets, and nothing fails.
  l = Lens{};
  l.d = l.f;
  l.D = 0.01;
  ExpectThinLensMap(l);
}

TEST(ApertureModelMap, AFocusOutsideTheDepthRangeFillsFromOneEndOnly) {
  Lens l;
  l.d = 200;  // beyond the back plane
  const WORD* map = Map(l);
  EXPECT_GT(map[65535], 0);
  EXPECT_TRUE(std::is_sorted(std::reverse_iterator(map + 65536), std::reverse_iterator(map)));

  l.d = 0.3;  // in front of the front plane
  map = Map(l);
  EXPECT_GT(map[0], 0);
  EXPECT_TRUE(std::is_sorted(map, map + 65536));
}

TEST(ApertureStopForDepth, KeepsBothEndsOfASubjectSharp) {
  Lens l;
  EXPECT_EQ(ApertureStopForDepth(l.f, 3, 3, 0, l.D, l.F, l.h, l.imgRes), 0);

  const Scale scale(l.D, l.F);
  for (double radius : {0.1, 0.5, 1.5}) {
    const double nearSide = ApertureStopForDepth(l.f, 3, 3 - radius, 0, l.D, l.F, l.h, l.imgRes);
    const double farSide = ApertureStopForDepth(l.f, 3, 3 + radius, 0, l.D, l.F, l.h, l.imgRes);
    l.fstop = std::max(nearSide, farSide);
    EXPECT_NEAR(BlurPixels(l, nearSide > farSide ? 3 - radius : 3 + radius), 1.0, 1e-9);
    const WORD* map = Map(l);
    EXPECT_EQ(map[static_cast<unsigned>(scale.Z(3 - radius))], 0) << radius;
    EXPECT_EQ(map[static_cast<unsigned>(scale.Z(3 + radius))], 0) << radius;
  }
}

TEST(LinearModelMap, BandsOfEqualWidthAroundTheFocus) {
  const Scale scale(1, 100);
  const WORD* map = LinearModelMap(10, 1, 1, 100, 13);
  auto at = [&](double u) { return static_cast<unsigned>(scale.Z(u)); };
  // Each boundary entry belongs to the outer band.
  EXPECT_EQ(map[at(10)], 0);
  EXPECT_EQ(map[at(9.5) + 1], 0);
  EXPECT_EQ(map[at(10.5) - 1], 0);
  EXPECT_EQ(map[at(9.5)], 1);
  EXPECT_EQ(map[at(10.5)], 1);
  EXPECT_EQ(map[at(8.5) + 1], 1);
  EXPECT_EQ(map[at(11.5) - 1], 1);
  EXPECT_EQ(map[at(8.5)], 2);
  EXPECT_EQ(map[at(11.5)], 2);

  // Every entry, for focus planes inside and outside the depth range.
  for (double d : {0.4, 10.0, 150.0}) {
    for (double blur : {0.05, 1.0, 7.0}) {
      SCOPED_TRACE(testing::Message() << "d " << d << " blur " << blur);
      ExpectMap(
          LinearModelMap(d, blur, 1, 100, 40), 40, scale.Z(d),
          [&](double z) { return std::abs(scale.Distance(z) - d); },
          [&](unsigned k, unsigned) { return blur / 2 + k * blur; });
    }
  }
}

TEST(LensModels, RefuseBadSettingsInOrder) {
  // Each step spoils its own argument and every later one, so its own check must be the one that
  // fires.
  using Spoil = void (*)(Lens&, double& d2);
  struct Check {
    Spoil spoil;
    const char* expression;
    const char* message;
  };
  const Check f{[](Lens& l, double&) { l.f = kNaN; }, "f > 0.0", ""};
  const Check d{[](Lens& l, double&) { l.d = kNaN; }, "d >= f", "Virtual images not allowed"};
  const Check fstop{[](Lens& l, double&) { l.fstop = 0; }, "fstop > 0.0", ""};
  const Check d2{[](Lens& l, double& d2) { d2 = l.f / 2; }, "d2 >= f", "Virtual images not allowed"};
  const Check A{[](Lens& l, double&) { l.A = -1; }, "A >= 0.0", kAheadOfLens};
  const Check D{[](Lens& l, double&) { l.D = kNaN; }, "D > 0.0", ""};
  const Check F{[](Lens& l, double&) { l.F = -1; }, "F > 0.0", ""};
  const Check FD{[](Lens& l, double&) { l.F = l.D / 2; }, "F > D", ""};
  const Check h{[](Lens& l, double&) { l.h = 0; }, "h > 0.0", ""};
  const Check res{[](Lens& l, double&) { l.imgRes.y = 0; }, "imgRes.x > 0 && imgRes.y > 0", ""};

  auto expectOrder = [](const std::vector<Check>& checks, const std::function<void(const Lens&, double)>& call) {
    for (std::size_t first = 0; first < checks.size(); ++first) {
      Lens l;
      double second = 2;
      for (std::size_t i = checks.size(); i-- > first;) checks[i].spoil(l, second);
      EXPECT_FATAL(call(l, second), checks[first].expression, checks[first].message);
    }
  };
  expectOrder({f, d, fstop, A, D, F, FD, h, res}, [](const Lens& l, double) { Map(l); });
  expectOrder({f, d, d2, A, D, F, FD, h, res}, [](const Lens& l, double second) {
    ApertureStopForDepth(l.f, l.d, second, l.A, l.D, l.F, l.h, l.imgRes);
  });
  EXPECT_FATAL(Map(Lens{.imgRes = {0, 5}}), "imgRes.x > 0 && imgRes.y > 0", "");

  const char* const linear[] = {"d > 0.0", "blur > 0.0", "D > 0.0", "F > 0.0", "F > D"};
  for (int first = 0; first < 5; ++first) {
    double args[4] = {10, 1, 1, 100};  // d, blur, D, F
    for (int i = 4; i >= first; --i) {
      if (i == 4) args[3] = 0.5;
      else args[i] = i == 3 ? -1 : kNaN;
    }
    EXPECT_FATAL(LinearModelMap(args[0], args[1], args[2], args[3], 13), linear[first], "");
  }
}
