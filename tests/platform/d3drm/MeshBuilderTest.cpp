// The mesh builder: the group rule of created meshes, normals, scaling.
#include <cmath>

#include "platform/d3drm/Matrix.h"
#include "platform/d3drm/XLoadTestSupport.h"

namespace {

using MeshBuilderTest = XLoadTest;

std::string MaterialText(const char* name, const char* rgba, const char* texture = nullptr) {
  std::string text = std::string("Material ") + name + " { " + rgba + ";; 2; 0;0;0;; 0;0;0;; ";
  if (texture) text += std::string("TextureFilename { \"") + texture + "\"; } ";
  return text + "}";
}

// One group per distinct look in order of first use; a different material name alone is the
// same look, a different colour or texture is not.
TEST_F(MeshBuilderTest, CreateMeshMakesOneGroupPerLookInOrderOfFirstUse) {
  const std::string text =
      "Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;; "
      "6; 3;0,1,2;, 3;2,1,3;, 3;0,1,2;, 3;1,3,2;, 3;0,2,3;, 3;0,1,3;; "
      "MeshNormals { 1; 0;0;-1;; 6; 3;0,0,0;, 3;0,0,0;, 3;0,0,0;, 3;0,0,0;, 3;0,0,0;, 3;0,0,0;; } "
      "MeshMaterialList { 4; 6; 1, 0, 1, 2, 3, 0;; " +
      MaterialText("Red", "1;0;0;1") + MaterialText("Green", "0;1;0;1") + MaterialText("Scarlet", "1;0;0;1") +
      MaterialText("Textured", "1;0;0;1", "wood.bmp") + " } }";
  ASSERT_EQ(LoadText(text), D3DRM_OK);
  const auto mesh = CreateMesh();
  ASSERT_EQ(mesh->GetGroupCount(), 3u);
  EXPECT_EQ(mesh->GetGroupColor(0), 0xFF00FF00u) << "Green is used first";
  EXPECT_EQ(mesh->GetGroupColor(1), 0xFFFF0000u);
  EXPECT_EQ(NameOf(MaterialOf(mesh.get(), 1).get()), "Red") << "the first material of a look names its group";
  EXPECT_EQ(TextureOf(mesh.get(), 2).get(), log.made["wood.bmp"].get());

  // Group 0 holds faces 0 and 2, group 1 faces 1, 3 (Scarlet) and 5, group 2 face 4.
  EXPECT_EQ(Faces(mesh.get(), 0), (std::vector<unsigned>{0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(Faces(mesh.get(), 1), (std::vector<unsigned>{0, 1, 2, 1, 2, 0, 3, 1, 2}));
  EXPECT_EQ(Faces(mesh.get(), 2), (std::vector<unsigned>{0, 1, 2}));
  const auto vertices = Vertices(mesh.get(), 1);
  ASSERT_EQ(vertices.size(), 4u);
  EXPECT_TRUE(Same(vertices[0].position, 0, 1, 0)) << "vertices in order of first use";
  EXPECT_TRUE(Same(vertices[3].position, 0, 0, 0));

  // Each group has a material object of its own.
  EXPECT_NE(MaterialOf(mesh.get(), 0).get(), MaterialOf(mesh.get(), 1).get());
  EXPECT_EQ(CreateMesh()->GetGroupCount(), 3u) << "the builder keeps its faces";
}

TEST_F(MeshBuilderTest, QualityPerspectiveScaleAndBox) {
  ASSERT_EQ(LoadBytes(ReadFixture("x/cube.x")), D3DRM_OK);
  EXPECT_EQ(CreateMesh()->GetGroupQuality(0), D3DRMRENDER_GOURAUD);
  ASSERT_EQ(builder->SetQuality(D3DRMRENDER_PHONG), D3DRM_OK);
  ASSERT_EQ(builder->SetPerspective(TRUE), D3DRM_OK);
  const auto mesh = CreateMesh();
  EXPECT_EQ(mesh->GetGroupQuality(1), D3DRMRENDER_PHONG);
  EXPECT_EQ(mesh->GetGroupMapping(1), D3DRMMAP_PERSPCORRECT);

  D3DRMBOX box;
  ASSERT_EQ(builder->GetBox(&box), D3DRM_OK);
  EXPECT_TRUE(Same(box.min, -1, -1, -1));
  EXPECT_TRUE(Same(box.max, 1, 1, 1));
  ASSERT_EQ(builder->Scale(0.5f, 0.5f, 0.5f), D3DRM_OK);
  ASSERT_EQ(builder->GetBox(&box), D3DRM_OK);
  EXPECT_TRUE(Same(box.max, 0.5f, 0.5f, 0.5f));
  EXPECT_TRUE(Same(Vertices(CreateMesh().get(), 0)[4].normal, 1, 0, 0)) << "a uniform scale keeps normals";

  // A slanted face stays perpendicular to its normal under a non-uniform scale.
  builder = NewBuilder();
  ASSERT_EQ(LoadText("Mesh { 3; 1;0;0;, 0;1;0;, 1;0;1;; 1; 3;0,1,2;; }"), D3DRM_OK);
  ASSERT_EQ(builder->Scale(2.0f, 1.0f, 1.0f), D3DRM_OK);
  const auto v = Vertices(CreateMesh().get(), 0);
  const D3DVECTOR edge = d3drm::Subtract(v[1].position, v[0].position);
  EXPECT_NEAR(edge.x * v[0].normal.x + edge.y * v[0].normal.y + edge.z * v[0].normal.z, 0.0, 1e-6);
  EXPECT_NEAR(std::hypot(v[0].normal.x, v[0].normal.y, v[0].normal.z), 1.0, 1e-6);

  auto empty = NewBuilder();
  ASSERT_EQ(empty->GetBox(&box), D3DRM_OK);
  EXPECT_TRUE(Same(box.max, 0, 0, 0));
}

}  // namespace
