// Importing objects: the file types under "All files", clashing names, load results, and the
// distance at which an object or a scene box fills a window.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "views/DragGeometry.h"
#include "views/ImportRules.h"
#include "views/SceneFit.h"

namespace {

TEST(ImportRulesTest, AllFilesTakesTheExactExtensionsTypeClashingNamesCountUpAndLoadResultsStopSafely) {
  struct Case {
    const char* extension;
    int type;
    bool reversed, doubleSided;
  } cases[] = {{"x", 6, false, true}, {"3ds", 5, true, true}, {"ulm", 7, false, true}};
  for (const Case& c : cases) {
    const int type = ResolveImportType(kAllFilesType, c.extension);
    EXPECT_EQ(type, c.type) << c.extension;
    EXPECT_EQ(GetImportType(type).reversed, c.reversed) << c.extension;
    EXPECT_EQ(GetImportType(type).doubleSided, c.doubleSided) << c.extension;
  }
  EXPECT_EQ(ResolveImportType(kAllFilesType, "txt"), -1);
  EXPECT_EQ(ResolveImportType(kAllFilesType, "*"), -1);  // "All files" itself is no type
  EXPECT_EQ(ResolveImportType(3, "x"), 3);               // a chosen type is kept
  const std::set<std::string> used{"Chair", "Chair 0"};
  auto inUse = [&](const std::string& n) { return used.count(n) > 0; };
  EXPECT_EQ(UniqueImportName("Chair", inUse), "Chair 1");
  EXPECT_TRUE(ImportLoadOutcome(0).proceed);
  EXPECT_EQ(ImportLoadOutcome(1).message, 40045u);
  EXPECT_EQ(ImportLoadOutcome(2).message, 40053u);
  EXPECT_FALSE(ImportLoadOutcome(3).proceed);  // a file gone since it was chosen
  EXPECT_EQ(ImportLoadOutcome(4).message, 0u);
  EXPECT_FALSE(ImportLoadOutcome(4).proceed);
}

TEST(ImportRulesTest, TheObjectFillsTheWindowOnTheLineOfSight) {
  // t = 0.035 / 2 / 0.05 = 0.35 at 1/1; r = 1.
  const double plain = 1.0 / std::sin(std::atan(0.35));
  EXPECT_NEAR(FillDistance(1.0, 1, 1, 0.05, 400, 400, 0.1), plain, 1e-12);
  EXPECT_NEAR(FillDistance(1.0, 1, 1, 0.05, 400, 200, 0.1), 2 * plain, 1e-12);
  EXPECT_EQ(FillDistance(1.0, 1, 1, 0.05, 200, 400, 0.1), FillDistance(1.0, 1, 1, 0.05, 400, 200, 0.1));
  EXPECT_NEAR(FillDistance(1.0, 1, 1, 0.05, 0, 400, 0.1), plain, 1e-12);  // no area: square
  EXPECT_EQ(FillDistance(0.0001, 1, 1, 5.0, 400, 400, 0.25), 0.25);
  const Transform camera(1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3);
  const Transform placed = ImportPlacement(camera, BoundingBox(Vector(1, 1, 1), Vector(3, 3, 3)), 5.0);
  const Vector centre = placed.TransformPoint(Vector(2, 2, 2));
  EXPECT_NEAR((centre - Vector(1, 2, 8)).Length(), 0.0, 1e-12);
}

TEST(SceneFitTest, FixedWindowsFitTheBoxAtTheDistanceThatFillsThem) {
  const Transform front;  // looks along +z
  const BoundingBox box(Vector(-2, 0, 0), Vector(2, 1, 0));  // 4 x 1 across a Front window
  const auto fit = FitSceneBox(front, 1, box, 400, 200, 0.05, 0.1, 1, 1, 1.0);
  ASSERT_TRUE(fit.has_value());
  EXPECT_EQ(fit->height, 4.0);  // max(2 x 1, 1 x 4)
  const double d = FillDistance(std::sqrt(17.0) / 2, 1, 1, 0.05, 400, 200, 0.1);
  EXPECT_NEAR((CameraPosition(fit->camera) - Vector(0, 0.5, -d)).Length(), 0.0, 1e-12);
  EXPECT_FALSE(FitSceneBox(front, 1, box, 0, 200, 0.05, 0.1, 1, 1, 1.0).has_value());
}

}  // namespace
