#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SceneTestSupport.h"
#include "core/CircleSegments.h"
#include "platform/d3drm/RenderTestSupport.h"
#include "scene/GroupSO.h"
#include "scene/MeshGeometry.h"
#include "scene/MeshSO.h"
#include "support/FatalCheck.h"

namespace {

using GeneratedMeshesTest = SceneTest;

// One group of a mesh as it reads back.
MeshGroupData ReadGroup(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  MeshGroupData data;
  ReadMeshGroup(mesh, group, data);
  return data;
}

void ExpectAt(const D3DRMVERTEX& v, float x, float y, float z) {
  EXPECT_EQ(v.position.x, x);
  EXPECT_EQ(v.position.y, y);
  EXPECT_EQ(v.position.z, z);
}

TEST_F(GeneratedMeshesTest, TheGroundIsAnOutlineAndAGridOfSliversAtYZero) {
  Ptr<MeshSO> ground = new MeshSO(0, 0x7F102030);
  ASSERT_EQ(ground->GetD3DRMMesh()->GetGroupCount(), 1u);
  MeshGroupData outline = ReadGroup(ground->GetD3DRMMesh(), 0);
  EXPECT_EQ(outline.faces, (std::vector<unsigned>{0, 1, 2, 1, 0, 2, 0, 1, 3, 1, 0, 3, 4, 5, 2, 5, 4, 2, 4, 5, 3, 5, 4, 3}));
  ASSERT_EQ(outline.vertices.size(), 6u);
  ExpectAt(outline.vertices[1], 0.00001f, 0.00001f, 0.00001f);
  ExpectAt(outline.vertices[5], 0.99999f, 0.00001f, 0.99999f);
  EXPECT_EQ(outline.vertices[4].normal.y, 1.0f);
  EXPECT_EQ(outline.vertices[4].color, 0x7F102030u);
  // The part look put back on the group: parts read from a mesh start smooth.
  EXPECT_EQ(ground->GetD3DRMMesh()->GetGroupQuality(0), D3DRMRENDER_WIREFRAME | D3DRMSHADE_PHONG);
  EXPECT_EQ(ground->box.max.y, 0.00001f);
  EXPECT_EQ(ground->box.max.x, 1.0);

  // Rebuilt in place with three grid lines each way: the look is reset.
  ground->quality = 4;
  ground->cartoon = 1;
  ground->texMats.AddTail(Material());
  ground->BuildGround(3, 0xFF000000);
  EXPECT_EQ(ground->quality, 0);
  EXPECT_EQ(ground->cartoon, 0);
  EXPECT_EQ(ground->texMats.GetCount(), ground->groupMats.GetCount()) << "the new mesh's parts only";
  ASSERT_EQ(ground->GetD3DRMMesh()->GetGroupCount(), 2u);
  MeshGroupData grid = ReadGroup(ground->GetD3DRMMesh(), 1);
  ASSERT_EQ(grid.vertices.size(), 18u);
  ASSERT_EQ(grid.faces.size(), 36u);
  ExpectAt(grid.vertices[1], 0.0f, 0.0f, 0.5f);
  ExpectAt(grid.vertices[3 + 2], 0.00001f, 0.00001f, 0.75f + 0.00001f);
  ExpectAt(grid.vertices[6], 1.0f, 0.0f, 0.25f);
  ExpectAt(grid.vertices[15 + 1], 0.5f, 0.0f, 1.0f);
  EXPECT_EQ(std::vector<unsigned>(grid.faces.begin() + 27, grid.faces.begin() + 30), (std::vector<unsigned>{12, 9, 15}));
  // Parts set up without lighting in the Solid color look, and fresh edge data, once per build.
  ASSERT_EQ(ground->untexMats.GetCount(), ground->groupMats.GetCount());
  EXPECT_EQ(ground->untexMats.GetHead().lighting, 0);
  EXPECT_EQ(ground->texMats.GetHead().lighting, 1);
  ASSERT_TRUE(ground->faceNormals);
  EXPECT_EQ(ground->faceNormals->vectors.size(), 12 + ReadGroup(ground->GetD3DRMMesh(), 0).faces.size() / 3);

  EXPECT_FATAL(ground->BuildGround(-1, 0), "_grids < INT_MAX", "");
  EXPECT_FATAL(ground->BuildGround(400000000, 0), "_grids <= kMaxGrids", "Too many grid lines");
}

TEST_F(GeneratedMeshesTest, TheCylinderHasItsFourFacesPerSegmentAndAnEndCapAtEachEnd) {
  Ptr<MeshSO> cylinder = new MeshSO(16, 1.0, 50.0, 0xFF0000FF);
  IDirect3DRMMesh* mesh = cylinder->GetD3DRMMesh();
  ASSERT_EQ(mesh->GetGroupCount(), 1u);
  MeshGroupData group = ReadGroup(mesh, 0);
  EXPECT_EQ(group.vertices.size(), 66u);
  ASSERT_EQ(group.faces.size(), 3u * 64);
  EXPECT_EQ(mesh->GetGroupColor(0), 0xFF0000FFu);

  // The ring points as the table lays them out: side and cap rings, then the two centres.
  CArray<Vector, const Vector&> starts, ends;
  XMakeCircleSegments(16, starts, ends, 1.0, 50.0);
  auto position = [&](unsigned index) {
    const unsigned n = 16;
    if (index == 4 * n) return Vector(0, 0, 0);
    if (index == 4 * n + 1) return Vector(50, 0, 0);
    return (index / n) % 2 == 0 ? starts[static_cast<int>(index % n)] : ends[static_cast<int>(index % n)];
  };
  // Faces keep their order; the last segment wraps to index 0 and n.
  const std::vector<unsigned> wrap{15, 0, 31, 31, 0, 16, 47, 64, 32, 48, 65, 63};
  for (int f = 60; f < 64; ++f)
    for (int c = 0; c < 3; ++c) {
      const D3DVECTOR& got = group.vertices[group.faces[3 * f + c]].position;
      const Vector expected = position(wrap[static_cast<std::size_t>(3 * (f - 60) + c)]);
      EXPECT_NEAR(got.x, expected.x, 1e-5);
      EXPECT_NEAR(got.y, expected.y, 1e-5);
      EXPECT_NEAR(got.z, expected.z, 1e-5);
    }
  EXPECT_EQ(cylinder->box.min.x, 0.0);
  EXPECT_EQ(cylinder->box.max.x, 50.0);
  EXPECT_NEAR(cylinder->box.min.y, -1.0, 1e-6);
  EXPECT_NEAR(cylinder->box.max.y, 1.0, 1e-6);

  // Generated normals point outward: along the axis at the caps, away from it on the sides.
  int caps = 0, sides = 0;
  for (const D3DRMVERTEX& v : group.vertices) {
    const D3DVECTOR& n = v.normal;
    const bool flat = std::abs(n.y) < 1e-6f && std::abs(n.z) < 1e-6f;
    caps += flat && n.x == (v.position.x == 0 ? -1.0f : 1.0f);
    sides += std::abs(n.x) < 1e-6f && n.y * v.position.y + n.z * v.position.z > 0.99f;
  }
  EXPECT_EQ(caps, 34);
  EXPECT_EQ(sides, 32);
}

// The cylinder seen from the side, in front of the camera: only faces that face the camera are
// drawn, so the depth at the centre is the near side's (z = 4), not the far side's (z = 6).
class CylinderRenderTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    app.lpD3DRM = rm;
  }
  void TearDown() override {
    app.lpD3DRM = nullptr;
    RenderTest::TearDown();
  }
  TestApp app;
};

TEST_F(CylinderRenderTest, EveryFaceOfTheCylinderFacesOutward) {
  MakeView(64, 64);
  // Turned about its axis, other faces come to face the camera.
  for (double turn : {0.0, 1.0, 2.0, 3.0, 4.0, 5.0}) {
    Ptr<GroupSO> group = new GroupSO;
    group->SetTransform(Transform(1, 0, 0, -25, 0, 1, 0, 0, 0, 0, 1, 5) * Transform(turn, Vector(1, 0, 0)));
    group->AddVisual(Ptr<MeshSO>(new MeshSO(16, 1.0, 50.0, 0xFFFFFFFF)));
    ASSERT_EQ(scene->AddChild(group->GetD3DRMFrame()), D3DRM_OK);
    ClearAndRender();
    const std::uint16_t depth = Depth(32, 32);
    EXPECT_GT(depth, ExpectedDepth(3.9)) << turn;
    EXPECT_LT(depth, ExpectedDepth(4.1)) << turn;
    ASSERT_EQ(scene->DeleteChild(group->GetD3DRMFrame()), D3DRM_OK);
  }
}

}  // namespace
