#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "SceneTestSupport.h"
#include "scene/MeshGeometry.h"
#include "scene/MeshSO.h"
#include "support/FatalCheck.h"

namespace {

using GeneratedMeshesTest = SceneTest;

MeshGroupData ReadGroup(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  MeshGroupData data;
  ReadMeshGroup(mesh, group, data, kCartoonBuildReadTexts);
  return data;
}

std::array<float, 3> At(const D3DRMVERTEX& v) { return {v.position.x, v.position.y, v.position.z}; }

TEST_F(GeneratedMeshesTest, TheGroundIsAnOutlineAndGridAtYZeroAndTheCylinderHasFourFacesPerSegmentAndTwoCaps) {
  Ptr<MeshSO> ground = new MeshSO(0, 0x7F102030);
  ASSERT_EQ(ground->GetD3DRMMesh()->GetGroupCount(), 1u);
  MeshGroupData outline = ReadGroup(ground->GetD3DRMMesh(), 0);
  EXPECT_EQ(outline.faces, (std::vector<unsigned>{0, 1, 2, 1, 0, 2, 0, 1, 3, 1, 0, 3, 4, 5, 2, 5, 4, 2, 4, 5, 3, 5, 4, 3}));
  ASSERT_EQ(outline.vertices.size(), 6u);
  EXPECT_EQ(At(outline.vertices[1]), (std::array{0.00001f, 0.00001f, 0.00001f}));
  // The part look put back on the group: parts read from a mesh start smooth.
  EXPECT_EQ(ground->GetD3DRMMesh()->GetGroupQuality(0), D3DRMRENDER_WIREFRAME | D3DRMSHADE_PHONG);

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
  EXPECT_EQ(At(grid.vertices[3 + 2]), (std::array{0.00001f, 0.00001f, 0.75f + 0.00001f}));
  // Parts set up without lighting in the Solid color look, and fresh edge data, once per build.
  EXPECT_EQ(ground->untexMats.GetHead().lighting, 0);
  EXPECT_EQ(ground->texMats.GetHead().lighting, 1);
  ASSERT_TRUE(ground->faceNormals);
  EXPECT_EQ(ground->faceNormals->vectors.size(), 12 + ReadGroup(ground->GetD3DRMMesh(), 0).faces.size() / 3);

  EXPECT_FATAL(ground->BuildGround(-1, 0), "_grids < INT_MAX", "");
  EXPECT_FATAL(ground->BuildGround(400000000, 0), "_grids <= kMaxGrids", "Too many grid lines");

  Ptr<MeshSO> cylinder = new MeshSO(16, 1.0, 50.0, 0xFF0000FF);
  IDirect3DRMMesh* mesh = cylinder->GetD3DRMMesh();
  ASSERT_EQ(mesh->GetGroupCount(), 1u);
  MeshGroupData group = ReadGroup(mesh, 0);
  EXPECT_EQ(group.vertices.size(), 66u);
  ASSERT_EQ(group.faces.size(), 3u * 64);

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

}  // namespace
