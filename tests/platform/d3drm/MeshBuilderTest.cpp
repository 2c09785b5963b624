// The mesh builder: the group rule of created meshes, meshes taken in, normals, scaling.
#include <cmath>
#include <numbers>

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

// The rotate-about cylinder as the program makes it: ring points turned by frame rotations, one
// group with every normal 0, then normals generated through a builder. Its faces face outward.
TEST_F(MeshBuilderTest, GeneratedCylinderNormalsPointOutward) {
  constexpr unsigned n = 16;
  constexpr float radius = 1.0f, length = 20.0f;
  auto frame = NewFrame();
  ASSERT_EQ(frame->AddRotation(D3DRMCOMBINE_REPLACE, 1, 0, 0, D3DVAL(2 * std::numbers::pi / n)), D3DRM_OK);
  D3DRMMATRIX4D turn;
  ASSERT_EQ(frame->GetTransform(turn), D3DRM_OK);

  std::vector<D3DRMVERTEX> vertices(4 * n + 2);
  D3DVECTOR p{0, radius, 0};
  for (unsigned i = 0; i < n; ++i, p = d3drm::TransformPoint(d3drm::Matrix4::From(turn), p)) {
    const D3DVECTOR end{p.x + length, p.y, p.z};
    vertices[i].position = vertices[2 * n + i].position = p;
    vertices[n + i].position = vertices[3 * n + i].position = end;
  }
  vertices[4 * n + 1].position = {length, 0, 0};
  for (D3DRMVERTEX& v : vertices) v.color = 0xFFFFFFFF;
  std::vector<unsigned> faces;
  for (unsigned i = 0; i < n; ++i) {
    const unsigned j = (i + 1) % n;
    faces.insert(faces.end(),
                 {i, j, n + i, n + i, j, n + j, 2 * n + i, 4 * n, 2 * n + j, 3 * n + j, 4 * n + 1, 3 * n + i});
  }
  auto mesh = NewMesh();
  D3DRMGROUPINDEX group;
  ASSERT_EQ(mesh->AddGroup(4 * n + 2, 4 * n, 3, faces.data(), &group), D3DRM_OK);
  ASSERT_EQ(mesh->SetVertices(group, 0, 4 * n + 2, vertices.data()), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupColor(group, 0x7F808080), D3DRM_OK);

  builder = NewBuilder();
  ASSERT_EQ(builder->AddMesh(mesh.get()), D3DRM_OK);
  mesh.reset();
  ASSERT_EQ(builder->GenerateNormals(), D3DRM_OK);
  const auto cylinder = CreateMesh();
  ASSERT_EQ(cylinder->GetGroupCount(), 1u);
  EXPECT_EQ(cylinder->GetGroupColor(0), 0x7F808080u);
  const auto made = Vertices(cylinder.get(), 0);
  EXPECT_EQ(made.size(), 4 * n + 2) << "no vertex merges: sides and caps differ in their normals";
  // Faces keep their order, so corner k of face f is vertex faces[3f + k] of the given group.
  const auto madeFaces = Faces(cylinder.get(), 0);
  ASSERT_EQ(madeFaces.size(), faces.size());
  std::vector<D3DRMVERTEX> given(4 * n + 2);
  for (std::size_t k = 0; k < faces.size(); ++k) given[faces[k]] = made[madeFaces[k]];

  for (unsigned i = 0; i < n; ++i) {
    const D3DVECTOR side = given[i].normal;
    const D3DVECTOR outward = d3drm::Normalized({0, given[i].position.y, given[i].position.z});
    EXPECT_EQ(side.x, 0.0f);
    EXPECT_GT(side.y * outward.y + side.z * outward.z, 0.99f) << "side " << i;
    EXPECT_TRUE(Same(given[2 * n + i].normal, -1, 0, 0)) << "start cap " << i;
    EXPECT_TRUE(Same(given[3 * n + i].normal, 1, 0, 0)) << "end cap " << i;
  }
  for (std::size_t f = 0; f < faces.size(); f += 3) {
    const D3DVECTOR a = given[faces[f]].position, b = given[faces[f + 1]].position, c = given[faces[f + 2]].position;
    const D3DVECTOR normal = d3drm::Cross(d3drm::Subtract(b, a), d3drm::Subtract(c, a));
    const D3DVECTOR centre{(a.x + b.x + c.x) / 3 - length / 2, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
    EXPECT_GT(normal.x * centre.x + normal.y * centre.y + normal.z * centre.z, 0.0f) << "face " << f / 3;
  }
}

}  // namespace
