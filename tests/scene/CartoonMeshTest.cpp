// Mesh objects in a group tree: their cartoon pass over a rendered image, their edge data, and
// picking their triangles.
#include "SceneTestSupport.h"
#include "scene/CartoonTestSupport.h"
#include "scene/GroupSO.h"
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

  // A green mesh object of one group per entry of `groups` with the faces of `groupFaces`, all of
  // one part, its edge data built and its box taken.
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

  // The group under the root, placed by a translation, holding `mesh`.
  Ptr<GroupSO> Place(const Ptr<MeshSO>& mesh, double x, double y, double z) {
    Ptr<GroupSO> group = new GroupSO;
    group->SetTransform(Transform(1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z));
    group->AddVisual(mesh);
    root->AddGroup(group);
    return group;
  }

  void Draw(double scale = 1.0) {
    root->DrawCartoonLines(recordingDevice, recordingViewport, root->GetTransform(), root->GetInverseTransform(),
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
  // Lit by an ambient light and a directional one tilted down: the cube's shades are never the
  // pure green of its vertices, while the lines keep their exact, unlit colours.
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
  EXPECT_TRUE(litCube(33, 33)) << std::hex << Pixel(33, 33);
  EXPECT_EQ(Pixel(19, 40), 0x0000FFu) << "hidden behind the square";
  EXPECT_EQ(Pixel(38, 36), 0xFFFF00u);
  EXPECT_EQ(Pixel(42, 36), 0xFF0000u);
  EXPECT_EQ(record.updates, 2) << "the silhouettes, then one run of surface lines";
}

TEST_F(CartoonMeshTest, ObjectsWithoutLinesOrOutsideTheViewDrawNothing) {
  const Ptr<MeshSO> cube = CartoonMesh({CubeVertices(1.0f)}, {CubeFaces()});
  const Ptr<GroupSO> group = Place(cube, 0, 0, 5);
  cube->cartoon = 0;
  Draw();
  cube->cartoon = 1;
  cube->silhouetteWidth = cube->surfaceWidth = 0;
  Draw();
  EXPECT_EQ(record.batches.size(), 0u);
  cube->silhouetteWidth = 1;
  Draw();
  EXPECT_EQ(record.updates, 1) << "silhouettes only";

  group->SetTransform(Transform(1, 0, 0, -20, 0, 1, 0, 0, 0, 0, 1, 5));
  Draw();
  EXPECT_EQ(record.updates, 1) << "wholly left of the view";
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
  EXPECT_EQ(record.batches.size(), 0u);

  const Ptr<MeshSO> alone = CartoonMesh({CubeVertices(1.0f)}, {CubeFaces()});
  alone->mesh = nullptr;
  alone->BuildCartoonEdges();
  EXPECT_FALSE(alone->faceNormals || alone->weldMap || alone->surfEdges || alone->surfEdgeFaces);
}

// Two squares side by side in groups 0 and 1 at depth 4, and a third group's square behind them.
TEST_F(CartoonMeshTest, PicksFindTheNearestGroupAndFaceAndTiesGoToTheHigherGroup) {
  const auto square = [](float x0, float z) {
    return std::vector<D3DRMVERTEX>{{{x0, 1, z}, {0, 0, -1}, 0, 0, 0},
                                    {{x0 + 1, 1, z}, {0, 0, -1}, 0, 0, 0},
                                    {{x0 + 1, -1, z}, {0, 0, -1}, 0, 0, 0},
                                    {{x0, -1, z}, {0, 0, -1}, 0, 0, 0}};
  };
  const std::vector<unsigned> two{0, 1, 2, 0, 2, 3};
  const Ptr<MeshSO> mesh = CartoonMesh({square(-1, 4), square(0, 4), square(-1, 6)}, {two, two, two});
  Place(mesh, 0, 0, 0);
  // The ray through pixel (x, y) of the 64 x 64 view.
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
  EXPECT_EQ(pick(28, 36).desc.ulFaceIdx, 1u);
  EXPECT_EQ(pick(36, 30).desc.lGroupIdx, 1);
  EXPECT_EQ(pick(32, 30).desc.lGroupIdx, 1) << "on the edge both squares share";
  // Moved back, group 1 is picked where it stands now, not where the last pick found it.
  std::vector<D3DRMVERTEX> moved = square(0, 5);
  ASSERT_EQ(mesh->mesh->SetVertices(1, 0, 4, moved.data()), D3DRM_OK);
  EXPECT_NEAR(pick(36, 30).point.z, 5.0, 1e-12);
  EXPECT_EQ(pick(32, 30).desc.lGroupIdx, 0) << "group 0 is nearer now";
  PickRecord missed;
  EXPECT_FALSE(root->Intersect(Vector(0, 0, 0), Vector(0, 2, 1), missed));
}

}  // namespace
