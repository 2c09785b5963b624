// Mesh objects in a group tree: cartoon lines, edge data, cylinder faces and the ray test of picking.
#include <cmath>

#include "SceneTestSupport.h"
#include "scene/CartoonTestSupport.h"
#include "scene/GroupSO.h"
#include "scene/MeshPick.h"
#include "scene/MeshSO.h"

namespace {

class CartoonMeshTest : public CartoonRenderTest {
 protected:
  void SetUp() override {
    CartoonRenderTest::SetUp();
    app.lpD3DRM = rm;
    MakeView(64, 64);
    root = new GroupSO;
    ASSERT_EQ(scene->AddChild(root->GetD3DRMFrame()), D3DRM_OK);
  }
  void TearDown() override {
    if (root) {
      EXPECT_EQ(scene->DeleteChild(root->GetD3DRMFrame()), D3DRM_OK);
    }
    root = nullptr;
    app.lpD3DRM = nullptr;
    CartoonRenderTest::TearDown();
  }

  // A green mesh object of one part, one group per entry, its edge data built and its box taken.
  Ptr<MeshSO> CartoonMesh(const std::vector<std::vector<D3DRMVERTEX>>& groups,
                          const std::vector<std::vector<unsigned>>& groupFaces) {
    Ptr<MeshSO> m = new MeshSO;
    GroupIndexList all;
    for (std::size_t g = 0; g < groups.size(); ++g) {
      std::vector<D3DRMVERTEX> coloured = groups[g];
      for (D3DRMVERTEX& v : coloured) v.color = 0xFF00FF00;
      D3DRMGROUPINDEX index = 0;
      const std::vector<unsigned>& faces = groupFaces[g];
      EXPECT_EQ(m->mesh->AddGroup(static_cast<unsigned>(coloured.size()), static_cast<unsigned>(faces.size() / 3), 3,
                                  faces.data(), &index),
                D3DRM_OK);
      EXPECT_EQ(m->mesh->SetVertices(index, 0, static_cast<unsigned>(coloured.size()), coloured.data()), D3DRM_OK);
      EXPECT_EQ(m->mesh->SetGroupQuality(index, D3DRMRENDER_UNLITFLAT), D3DRM_OK);
      all.AddTail(static_cast<DWORD>(g));
      m->groupParts.AddTail(WORD{0});
    }
    m->groupMats.AddTail(all);
    m->BuildCartoonEdges();
    m->GetBox();
    m->cartoon = 1;
    m->silhouetteColor = Color(1.0, 0.0, 0.0, 1.0);
    m->surfaceColor = Color(1.0, 1.0, 0.0, 1.0);
    m->silhouetteWidth = 3;
    m->surfaceWidth = 4;
    return m;
  }

  Ptr<GroupSO> Place(const Ptr<MeshSO>& mesh, double x, double y, double z) {
    Ptr<GroupSO> group = new GroupSO;
    group->SetTransform(Transform(1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z));
    group->AddVisual(mesh);
    root->AddGroup(group);
    return group;
  }

  void Draw(double scale = 1.0) {
    root->DrawCartoonLines(device.get(), viewport.get(), root->GetTransform(), root->GetInverseTransform(),
                           scale);
  }

  TestApp app;
  Ptr<GroupSO> root;
};

// The cube's sides +x, -x and +y form mesh group 0, the others group 1: lines cross the groups.
TEST_F(CartoonMeshTest, ACubeInATranslatedGroupIsOutlinedOverItsRenderedImage) {
  const auto cube = CubeVertices(1.0f);
  const auto faces = CubeFaces();
  std::vector<unsigned> second(faces.begin() + 18, faces.end());
  for (unsigned& v : second) v -= 12;
  const Ptr<MeshSO> mesh = CartoonMesh({{cube.begin(), cube.begin() + 12}, {cube.begin() + 12, cube.end()}},
                                       {{faces.begin(), faces.begin() + 18}, second});
  for (D3DRMGROUPINDEX g : {0u, 1u}) ASSERT_EQ(mesh->mesh->SetGroupQuality(g, D3DRMRENDER_GOURAUD), D3DRM_OK);
  Place(mesh, 0, 0, 5);
  // Lit: the cube's shades are never its pure green, while the lines keep their unlit colours.
  IUPtr<IDirect3DRMLight> ambient, sun;
  ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.3f, 0.3f, 0.3f, &ambient), D3DRM_OK);
  ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 0.8f, 0.8f, 0.8f, &sun), D3DRM_OK);
  ASSERT_EQ(scene->AddLight(ambient), D3DRM_OK);
  IUPtr<IDirect3DRMFrame> sunFrame;
  ASSERT_EQ(rm->CreateFrame(scene.get(), &sunFrame), D3DRM_OK);
  ASSERT_EQ(sunFrame->AddRotation(D3DRMCOMBINE_REPLACE, 1, 0, 0, 0.6f), D3DRM_OK);
  ASSERT_EQ(sunFrame->AddLight(sun), D3DRM_OK);
  const auto litCube = [this](int x, int y) {
    const std::uint32_t p = Pixel(x, y), green = p >> 8 & 0xFF;
    return (p & 0xFF00FF) == 0 && green > 0x40 && green < 0xFF;
  };
  // A nearer square over the lower left of the cube's left edge.
  const D3DCOLOR blue = 0xFF0000FF;
  const auto square = MeshOf({{-1.5f, -0.19f, 3, blue}, {-0.56f, -0.19f, 3, blue}, {-0.56f, -1.5f, 3, blue},
                              {-1.5f, -1.5f, 3, blue}},
                             {0, 1, 2, 0, 2, 3});
  ASSERT_EQ(square->SetGroupColor(0, blue), D3DRM_OK);
  Show(square.get());
  ClearAndRender();
  Draw(2.0);  // lines twice as wide: a 6-pixel silhouette, an 8-pixel surface line (4 on the face)
  // The cube's near face spans pixels 24 to 39.
  EXPECT_EQ(Pixel(19, 28), 0xFF0000u) << "silhouette";
  EXPECT_EQ(Pixel(17, 28), 0x000000u);
  EXPECT_EQ(Pixel(27, 28), 0xFFFF00u) << "surface line";
  EXPECT_TRUE(litCube(30, 28)) << std::hex << Pixel(30, 28);
  EXPECT_EQ(Pixel(19, 40), 0x0000FFu) << "hidden behind the square";
  EXPECT_EQ(Pixel(38, 36), 0xFFFF00u);
  EXPECT_EQ(Pixel(42, 36), 0xFF0000u);
}

// The eye of a tiny cube seen from afar lies beyond single precision in the cube's own space.
TEST_F(CartoonMeshTest, AnObjectTooSmallForItsDistanceIsNotOutlined) {
  const Ptr<GroupSO> group = Place(CartoonMesh({CubeVertices(1.0f)}, {CubeFaces()}), 0, 0, 5);
  group->SetTransform(Transform(1e-38, 0, 0, 0, 0, 1e-38, 0, 0, 0, 0, 1e-38, 5));
  Draw();
  EXPECT_EQ(Count(64, 64, 0xFF0000), 0);
}

TEST_F(CartoonMeshTest, EdgeDataOfAMeshlessObjectIsDroppedOrEmptiedForItsSharers) {
  const Ptr<MeshSO> cube = CartoonMesh({CubeVertices(1.0f)}, {CubeFaces()});
  const Ptr<MeshSO> sharer = CartoonMesh({CubeVertices(1.0f)}, {CubeFaces()});
  sharer->faceNormals = cube->faceNormals;
  sharer->weldMap = cube->weldMap;
  sharer->surfEdges = cube->surfEdges;
  sharer->surfEdgeFaces = cube->surfEdgeFaces;
  Place(sharer, 0, 0, 5);

  cube->mesh = nullptr;
  cube->BuildCartoonEdges();
  ASSERT_TRUE(cube->weldMap);
  EXPECT_TRUE(sharer->weldMap->words.empty()) << "shared arrays are emptied, not freed under the sharer";
  Draw();
  EXPECT_EQ(Count(64, 64, 0xFF0000), 0);

  const Ptr<MeshSO> alone = CartoonMesh({CubeVertices(1.0f)}, {CubeFaces()});
  alone->mesh = nullptr;
  alone->BuildCartoonEdges();
  EXPECT_FALSE(alone->faceNormals || alone->weldMap || alone->surfEdges || alone->surfEdgeFaces);
}

TEST_F(CartoonMeshTest, CylinderFacesFaceOutwardAndPicksFindTheNearestGroupAndFaceTiesGoingHigher) {
  // Only faces turned to the camera are drawn: at any turn the centre shows the near side (z = 4).
  for (double turn : {0.0, 1.0, 2.0, 3.0, 4.0, 5.0}) {
    Ptr<GroupSO> group = new GroupSO;
    group->SetTransform(Transform(1, 0, 0, -25, 0, 1, 0, 0, 0, 0, 1, 5) * Transform(turn, Vector(1, 0, 0)));
    group->AddVisual(Ptr<MeshSO>(new MeshSO(16, 1.0, 50.0, 0xFFFFFFFF)));
    root->AddGroup(group);
    ClearAndRender();
    const std::uint16_t depth = Depth(32, 32);
    EXPECT_GT(depth, ExpectedDepth(3.9)) << turn;
    EXPECT_LT(depth, ExpectedDepth(4.1)) << turn;
    root->RemoveGroup(group);
  }

  // Two squares side by side in groups 0 and 1 at depth 4, and a third group's square behind them.
  const auto square = [](float x0, float z) {
    return std::vector<D3DRMVERTEX>{{{x0, 1, z}, {0, 0, -1}, 0, 0, 0},
                                    {{x0 + 1, 1, z}, {0, 0, -1}, 0, 0, 0},
                                    {{x0 + 1, -1, z}, {0, 0, -1}, 0, 0, 0},
                                    {{x0, -1, z}, {0, 0, -1}, 0, 0, 0}};
  };
  const std::vector<unsigned> two{0, 1, 2, 0, 2, 3};
  const Ptr<MeshSO> mesh = CartoonMesh({square(-1, 4), square(0, 4), square(-1, 6)}, {two, two, two});
  Place(mesh, 0, 0, 0);
  const auto pick = [&](double x, double y) {
    PickRecord record;
    EXPECT_TRUE(root->Intersect(Vector(0, 0, 0), Vector((x - 32) / 32, (32 - y) / 32, 1), record));
    return record;
  };
  PickRecord left = pick(28, 28);
  EXPECT_EQ(left.visual, static_cast<VisualSO*>(mesh));
  EXPECT_EQ(left.desc.lGroupIdx, 0);
  EXPECT_EQ(left.desc.ulFaceIdx, 0u) << "above the diagonal";
  EXPECT_NEAR(left.point.z, 4.0, 1e-12);
  EXPECT_EQ(pick(36, 30).desc.lGroupIdx, 1);
  EXPECT_EQ(pick(32, 30).desc.lGroupIdx, 1) << "on the edge both squares share";
  // Moved back, group 1 is picked where it stands now, not where the last pick found it.
  std::vector<D3DRMVERTEX> moved = square(0, 5);
  ASSERT_EQ(mesh->mesh->SetVertices(1, 0, 4, moved.data()), D3DRM_OK);
  EXPECT_NEAR(pick(36, 30).point.z, 5.0, 1e-12);
  EXPECT_EQ(pick(32, 30).desc.lGroupIdx, 0) << "group 0 is nearer now";
}

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

TEST(Pick, CornersAndSharedEdgesHitTheNearestTriangleFoundFirstStaysAndBadIndicesAreSkipped) {
  MeshGroupData g = Square();
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

  g.faces[4] = 9;  // an index past the vertices in the second triangle
  MeshPickData data;
  data.AddGroup(g, kNormals, 0);
  EXPECT_TRUE(data.Damaged());
  MeshPick best;
  data.Pick({0, 0, 0}, Vector(0.25, 0.25, 2).Normalize(), best);
  EXPECT_TRUE(best.hit) << "the good triangle is still tested";
  EXPECT_EQ(best.face, 0u);
}

// The whole mesh must give what the triangles alone give: the nearest, the first on a tie.
TEST(Pick, SkippingRunsByTheirBoxesFindsWhatEveryTriangleAloneFinds) {
  // A bumpy grid of n x n quads in each of two groups, every triangle turned towards -z.
  constexpr int n = 24;
  MeshGroupData groups[2];
  const std::vector<D3DVECTOR> normals(2 * n * n, D3DVECTOR{0, 0, -1});
  for (int g = 0; g < 2; ++g) {
    for (int j = 0; j <= n; ++j)
      for (int i = 0; i <= n; ++i) {
        const float x = static_cast<float>(i + g * n) / 8, y = static_cast<float>(j) / 8;
        groups[g].vertices.push_back({{x, y, 3 + 0.3f * std::sin(3 * x) * std::cos(2 * y)}, {}, 0, 0, 0});
      }
    for (int j = 0; j < n; ++j)
      for (int i = 0; i < n; ++i) {
        const unsigned v = static_cast<unsigned>(j * (n + 1) + i);
        groups[g].faces.insert(groups[g].faces.end(), {v, v + n + 1, v + 1, v + 1, v + n + 1, v + n + 2});
      }
    groups[g].vCount = static_cast<DWORD>(groups[g].vertices.size());
    groups[g].fCount = 2 * n * n;
  }
  MeshPickData whole;
  std::vector<MeshPickData> single;
  std::vector<DWORD> singleFace;
  for (int g = 1; g >= 0; --g) {
    whole.AddGroup(groups[g], normals.data(), g);
    for (DWORD f = groups[g].fCount; f-- > 0;) {
      MeshGroupData one = groups[g];
      one.fCount = 1;
      one.faces.assign(&groups[g].faces[3 * f], &groups[g].faces[3 * f + 3]);
      single.emplace_back().AddGroup(one, &normals[f], g);
      singleFace.push_back(f);
    }
  }
  const Vector origin(2.5, 1.5, -4);
  int hits = 0;
  // Rays through every vertex (corners shared by up to six triangles) and between them.
  for (const MeshGroupData& group : groups)
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
  EXPECT_GT(hits, 2 * n * n);
}

}  // namespace
