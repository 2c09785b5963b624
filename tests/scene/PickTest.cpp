// The ray test of mesh picking over one group: corners and shared edges count, the back and the
// plane's own direction do not, and damaged indices are skipped without reading past the vertices.
#include <gtest/gtest.h>

#include "scene/MeshPick.h"

namespace {

// Two triangles of the square (0..1, 0..1) at z = 2, facing the origin (normal -z), sharing the
// diagonal from (1, 0) to (0, 1).
MeshGroupData Square() {
  MeshGroupData g;
  g.vCount = 4;
  g.fCount = 2;
  g.faces = {0, 2, 1, 1, 2, 3};
  for (auto [x, y] : {std::pair{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}})
    g.vertices.push_back({{x, y, 2.0f}, {0, 0, -1}, 0, 0, 0});
  return g;
}

const D3DVECTOR kNormals[2] = {{0, 0, -1}, {0, 0, -1}};

MeshPick Pick(const MeshGroupData& g, Vector towards, double length = 1.0, Vector origin = {0, 0, 0}) {
  const Vector d(towards.x - origin.x, towards.y - origin.y, towards.z - origin.z);
  const double scale = length / d.Length();
  MeshPick best;
  EXPECT_TRUE(PickMeshGroup(g, kNormals, origin, Vector(d.x * scale, d.y * scale, d.z * scale), 7, best));
  return best;
}

TEST(Pick, CornersAndSharedEdgesHitAndTheNearestTriangleFoundFirstStays) {
  const MeshGroupData g = Square();
  MeshPick atCorner = Pick(g, {0, 0, 2}, 1.0, {0, 0, -1});
  ASSERT_TRUE(atCorner.hit) << "a hit exactly at the first corner";
  EXPECT_EQ(atCorner.face, 0u);
  EXPECT_EQ(atCorner.group, 7);
  EXPECT_EQ(atCorner.t, 3.0);

  const MeshPick onDiagonal = Pick(g, {0.5, 0.5, 2});
  ASSERT_TRUE(onDiagonal.hit);
  EXPECT_EQ(onDiagonal.face, 1u) << "the later triangle is tested first and keeps a tie";
  EXPECT_DOUBLE_EQ(onDiagonal.point.x, 0.5);
  EXPECT_DOUBLE_EQ(onDiagonal.point.z, 2.0);

  EXPECT_DOUBLE_EQ(Pick(g, {0.25, 0.25, 2}, 2.0).t, Pick(g, {0.25, 0.25, 2}).t / 2) << "t in direction lengths";
  EXPECT_FALSE(Pick(g, {1.5, 0.5, 2}).hit) << "beside the square";
  EXPECT_FALSE(Pick(g, {0.25, 0.25, 2}, 1.0, {0.25, 0.25, 3}).hit) << "from behind";
  EXPECT_FALSE(Pick(g, {0.75, 0.25, 2}, 1.0, {0.25, 0.25, 2}).hit) << "along the plane";
}

TEST(Pick, TrianglesWithIndicesPastTheVerticesAreSkipped) {
  MeshGroupData g = Square();
  g.faces[4] = 9;  // the second triangle
  MeshPick best;
  EXPECT_FALSE(PickMeshGroup(g, kNormals, {0, 0, 0}, Vector(0.25, 0.25, 2).Normalize(), 0, best));
  EXPECT_TRUE(best.hit) << "the good triangle is still tested";
  EXPECT_EQ(best.face, 0u);
}

}  // namespace
