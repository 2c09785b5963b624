// The ray test of mesh picking.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/MeshPick.h"

namespace {

// The square (0..1, 0..1) at z = 2 facing the origin, its two triangles sharing a diagonal.
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
  MeshPickData data;
  data.AddGroup(g, kNormals, 7);
  EXPECT_FALSE(data.Damaged());
  MeshPick best;
  data.Pick(origin, Vector(d.x * scale, d.y * scale, d.z * scale), best);
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
  MeshPickData data;
  data.AddGroup(g, kNormals, 0);
  EXPECT_TRUE(data.Damaged());
  MeshPick best;
  data.Pick({0, 0, 0}, Vector(0.25, 0.25, 2).Normalize(), best);
  EXPECT_TRUE(best.hit) << "the good triangle is still tested";
  EXPECT_EQ(best.face, 0u);
}

// A bumpy grid of n x n quads in two groups, every triangle turned towards -z.
struct BumpyGrid {
  static constexpr int n = 24;
  MeshGroupData groups[2];
  std::vector<D3DVECTOR> normals[2];

  BumpyGrid() {
    for (int g = 0; g < 2; ++g) {
      MeshGroupData& group = groups[g];
      for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
          const float x = static_cast<float>(i + g * n) / 8, y = static_cast<float>(j) / 8;
          group.vertices.push_back({{x, y, 3 + 0.3f * std::sin(3 * x) * std::cos(2 * y)}, {}, 0, 0, 0});
        }
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
          const unsigned v = static_cast<unsigned>(j * (n + 1) + i);
          group.faces.insert(group.faces.end(), {v, v + n + 1, v + 1, v + 1, v + n + 1, v + n + 2});
        }
      group.vCount = static_cast<DWORD>(group.vertices.size());
      group.fCount = static_cast<DWORD>(group.faces.size() / 3);
      normals[g].assign(group.fCount, D3DVECTOR{0, 0, -1});
    }
  }
};

// The whole mesh must give what the triangles alone give: the nearest, the first on a tie.
TEST(Pick, SkippingRunsByTheirBoxesFindsWhatEveryTriangleAloneFinds) {
  const BumpyGrid grid;
  MeshPickData whole;
  std::vector<MeshPickData> single;
  std::vector<DWORD> singleFace;
  for (int g = 1; g >= 0; --g) {
    whole.AddGroup(grid.groups[g], grid.normals[g].data(), g);
    for (DWORD f = grid.groups[g].fCount; f-- > 0;) {
      MeshGroupData one = grid.groups[g];
      one.fCount = 1;
      one.faces.assign(&grid.groups[g].faces[3 * f], &grid.groups[g].faces[3 * f + 3]);
      single.emplace_back().AddGroup(one, &grid.normals[g][f], g);
      singleFace.push_back(f);
    }
  }
  const Vector origin(2.5, 1.5, -4);
  int hits = 0;
  // Rays through every vertex (corners shared by up to six triangles) and between them.
  for (const MeshGroupData& group : grid.groups)
    for (const D3DRMVERTEX& v : group.vertices)
      for (double shift : {0.0, 0.03}) {
        const Vector d(v.position.x + shift - origin.x, v.position.y + shift - origin.y, v.position.z - origin.z);
        MeshPick expected, found;
        for (std::size_t i = 0; i < single.size(); ++i) {
          MeshPick candidate;
          single[i].Pick(origin, d, candidate);
          if (candidate.hit && candidate.t < expected.t) (expected = candidate).face = singleFace[i];
        }
        whole.Pick(origin, d, found);
        ASSERT_EQ(found.hit, expected.hit);
        if (!found.hit) continue;
        ++hits;
        EXPECT_EQ(found.group, expected.group);
        EXPECT_EQ(found.face, expected.face);
        EXPECT_EQ(found.t, expected.t);
      }
  EXPECT_GT(hits, 2 * grid.n * grid.n);
}

}  // namespace
