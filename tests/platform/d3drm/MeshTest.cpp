// Mesh groups: adding, reading back, their looks, the box and clones.
#include "platform/d3drm/D3DRMTestSupport.h"

namespace {

class MeshTest : public RetainedModeTest {
 protected:
  // Two triangles over four vertices.
  D3DRMGROUPINDEX AddQuad(IDirect3DRMMesh* mesh, float x) {
    const unsigned faces[] = {0, 1, 2, 0, 2, 3};
    D3DRMGROUPINDEX index = -1;
    EXPECT_EQ(mesh->AddGroup(4, 2, 3, faces, &index), D3DRM_OK);
    D3DRMVERTEX v[4] = {};
    for (int i = 0; i < 4; ++i) v[i].position = {x + (i == 1 || i == 2), float(i >= 2), 0.0f};
    EXPECT_EQ(mesh->SetVertices(index, 0, 4, v), D3DRM_OK);
    return index;
  }
};

TEST_F(MeshTest, GroupsAreNumberedInOrderAndReadBackAsGiven) {
  auto mesh = NewMesh();
  EXPECT_EQ(AddQuad(mesh.get(), 0), 0);
  EXPECT_EQ(AddQuad(mesh.get(), 5), 1);
  EXPECT_EQ(mesh->GetGroupCount(), 2u);

  unsigned vCount = 0, fCount = 0, vPerFace = 0;
  DWORD size = 0;
  ASSERT_EQ(mesh->GetGroup(1, &vCount, &fCount, &vPerFace, &size, nullptr), D3DRM_OK);
  EXPECT_EQ(vCount, 4u);
  EXPECT_EQ(fCount, 2u);
  EXPECT_EQ(vPerFace, 3u);
  EXPECT_EQ(size, 6u) << "words of face data";
  unsigned faces[6];
  size = 5;
  EXPECT_EQ(mesh->GetGroup(1, nullptr, nullptr, nullptr, &size, faces), D3DRMERR_BADVALUE) << "room for 5 words";
  size = 6;
  ASSERT_EQ(mesh->GetGroup(1, nullptr, nullptr, nullptr, &size, faces), D3DRM_OK);
  EXPECT_EQ(std::vector<unsigned>(faces, faces + 6), (std::vector<unsigned>{0, 1, 2, 0, 2, 3}));

  D3DRMVERTEX v[2];
  ASSERT_EQ(mesh->GetVertices(1, 2, 2, v), D3DRM_OK);
  EXPECT_EQ(v[0].position.x, 6.0f);
  EXPECT_EQ(mesh->GetVertices(1, 3, 2, v), D3DRMERR_BADVALUE) << "past the last vertex";
  EXPECT_EQ(mesh->SetVertices(2, 0, 1, v), D3DRMERR_BADVALUE) << "no group 2";
  EXPECT_EQ(mesh->GetGroup(-1, &vCount, nullptr, nullptr, nullptr, nullptr), D3DRMERR_BADVALUE);

  D3DRMBOX box;
  ASSERT_EQ(mesh->GetBox(&box), D3DRM_OK);
  EXPECT_EQ(box.min.x, 0.0f);
  EXPECT_EQ(box.max.x, 6.0f);
  EXPECT_EQ(box.max.y, 1.0f);
  auto empty = NewMesh();
  ASSERT_EQ(empty->GetBox(&box), D3DRM_OK);
  EXPECT_EQ(box.max.x, 0.0f) << "an empty mesh has the empty box at the origin";
}

TEST_F(MeshTest, AddGroupRefusesFacesItCannotHold) {
  auto mesh = NewMesh();
  const unsigned quad[] = {0, 1, 2, 3};
  const unsigned outside[] = {0, 1, 4};
  D3DRMGROUPINDEX index = -1;
  EXPECT_EQ(mesh->AddGroup(4, 1, 4, quad, &index), D3DRMERR_BADVALUE) << "triangles only";
  EXPECT_EQ(mesh->AddGroup(4, 1, 3, outside, &index), D3DRMERR_BADVALUE) << "index past the vertices";
  EXPECT_EQ(mesh->AddGroup(4, 1, 3, nullptr, &index), D3DRMERR_BADVALUE);
  EXPECT_EQ(mesh->GetGroupCount(), 0u);
  ASSERT_EQ(mesh->AddGroup(0, 0, 3, nullptr, &index), D3DRM_OK) << "an empty group is allowed";
  EXPECT_EQ(index, 0);
}

TEST_F(MeshTest, GroupLooksAndClonesThatDoNotShareMaterials) {
  auto mesh = NewMesh();
  const auto group = AddQuad(mesh.get(), 0);
  IDirect3DRMMaterial* none = reinterpret_cast<IDirect3DRMMaterial*>(0x1);
  ASSERT_EQ(mesh->GetGroupMaterial(group, &none), D3DRM_OK);
  EXPECT_EQ(none, nullptr) << "a group without a material is no failure";

  IDirect3DRMMaterial* material = nullptr;
  ASSERT_EQ(rm->CreateMaterial(4.0f, &material), D3DRM_OK);
  IDirect3DRMTexture* texture = nullptr;
  ASSERT_EQ(rm->LoadTexture(FixturePath("bmp/pal8.bmp").c_str(), &texture), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupColor(group, 0x80FF0000), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupQuality(group, D3DRMRENDER_WIREFRAME), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMapping(group, D3DRMMAP_PERSPCORRECT), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMaterial(group, material), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupTexture(group, texture), D3DRM_OK);
  ASSERT_EQ(mesh->SetAppData(0x8BADBEEF), D3DRM_OK);

  IDirect3DRMMesh* clone = nullptr;
  ASSERT_EQ(mesh->Clone(nullptr, IID_IDirect3DRMMesh, reinterpret_cast<void**>(&clone)), D3DRM_OK);
  EXPECT_EQ(clone->GetGroupCount(), 1u);
  EXPECT_EQ(clone->GetGroupColor(0), 0x80FF0000u);
  EXPECT_EQ(clone->GetGroupQuality(0), D3DRMRENDER_WIREFRAME);
  EXPECT_EQ(clone->GetGroupMapping(0), D3DRMMAP_PERSPCORRECT);
  EXPECT_EQ(clone->GetAppData(), 0x8BADBEEFu);
  IDirect3DRMMaterial* cloned = nullptr;
  ASSERT_EQ(clone->GetGroupMaterial(0, &cloned), D3DRM_OK);
  EXPECT_NE(cloned, material) << "a look changed on the clone must not change the source";
  EXPECT_EQ(cloned->GetPower(), 4.0f);
  IDirect3DRMTexture* sharedTexture = nullptr;
  ASSERT_EQ(clone->GetGroupTexture(0, &sharedTexture), D3DRM_OK);
  EXPECT_EQ(sharedTexture, texture);

  EXPECT_EQ(cloned->Release(), 1u);
  EXPECT_EQ(sharedTexture->Release(), 3u);
  EXPECT_EQ(clone->Release(), 0u);
  EXPECT_EQ(mesh->Clone(nullptr, IID_IDirect3DRMFrame, reinterpret_cast<void**>(&clone)), E_NOINTERFACE);
  mesh.reset();
  EXPECT_EQ(material->Release(), 0u);
  EXPECT_EQ(texture->Release(), 0u);
}

}  // namespace
