#include <gtest/gtest.h>

#include <string>

#include "SceneTestSupport.h"
#include "platform/framework/ArchiveBackends.h"
#include "platform/win/StringResources.h"
#include "scene/Material.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using MaterialTest = SceneTest;

Material Changed() {
  Material m;
  m.name = "seat";
  m.diffuse = Color(0.5, 0.25, 1, 0.5);
  m.emissive = Color(0.1, 0, 0, 1);
  m.specular = Color(0, 0.2, 0, 1);
  m.shininess = 8;
  m.lighting = 0;
  m.smooth = 0;
  m.wireframe = 1;
  m.reserved = 7;
  m.patternOn = 1;
  m.burned = 1;
  m.patternNumber = -3;
  return m;
}

Bytes Store(Material m) {
  return StoreBytes(Backend::memory, [&](CArchive& ar) { m.Serialize(ar); });
}

TEST_F(MaterialTest, ARecordTakes158BytesAndTheNameAndReadsBackEqual) {
  const Material m = Changed();
  const Bytes bytes = Store(m);
  EXPECT_EQ(bytes.size(), 158u + 4);
  EXPECT_EQ(bytes[4], 4);  // the name's one-byte length after the schema word
  Material read;
  LoadBytes(Backend::memory, bytes, [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_TRUE(read == m);
  EXPECT_EQ(read.patternNumber, -3);

  Material longName;
  longName.name = std::string(254, 'a').c_str();
  EXPECT_EQ(Store(longName).size(), 158u + 254);
  longName.name = std::string(255, 'a').c_str();
  const Bytes longer = Store(longName);
  EXPECT_EQ(longer.size(), 158u + 255 + 2);
  EXPECT_EQ(longer[4], 0xFF);
}

TEST_F(MaterialTest, EqualityComparesEveryMember) {
  EXPECT_TRUE(Material() == Material());
  EXPECT_EQ(Material().name, CString("default"));
  const Material base = Changed();
  for (int member = 0; member < 12; ++member) {
    Material m = base;
    switch (member) {
      case 0: m.name = "Seat"; break;
      case 1: m.diffuse.a = 1; break;
      case 2: m.emissive.luminance = 0; break;
      case 3: m.specular.b = 1; break;
      case 4: m.shininess = 9; break;
      case 5: m.lighting = 1; break;
      case 6: m.smooth = 1; break;
      case 7: m.wireframe = 0; break;
      case 8: m.reserved = -1; break;
      case 9: m.patternOn = 0; break;
      case 10: m.burned = 0; break;
      default: m.patternNumber = 1; break;
    }
    EXPECT_TRUE(m != base) << member;
    EXPECT_FALSE(m == base) << member;
  }
}

TEST_F(MaterialTest, ANewerRecordShowsTheMessageAndFailsTheLoad) {
  ScriptedMessageBoxes boxes;
  Bytes bytes = Store(Material());
  bytes[0] = 1;  // schema 0x80000001
  Material read;
  ExpectArchiveFailure(Backend::memory, bytes, CArchiveException::badSchema,
                       [&](CArchive& ar) { read.Serialize(ar); });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, FindStringResource(40243));
}

class MaterialMeshTest : public MaterialTest {
 protected:
  void SetUp() override {
    MaterialTest::SetUp();
    ASSERT_EQ(app.lpD3DRM->CreateMesh(&mesh), D3DRM_OK);
    for (int g = 0; g < 2; ++g) {
      const unsigned faces[3] = {0, 1, 2};
      D3DRMGROUPINDEX index;
      ASSERT_EQ(mesh->AddGroup(3, 1, 3, faces, &index), D3DRM_OK);
      D3DRMVERTEX v[3] = {{{0, 0, 0}, {0, 0, -1}, 0, 0, 0}, {{1, 0, 0}, {0, 0, -1}, 0, 0, 0},
                          {{0, 1, 0}, {0, 0, -1}, 0, 0, 0}};
      ASSERT_EQ(mesh->SetVertices(index, 0, 3, v), D3DRM_OK);
    }
  }
  void TearDown() override {
    mesh = nullptr;
    MaterialTest::TearDown();
  }
  D3DCOLOR VertexColor(D3DRMGROUPINDEX group) {
    D3DRMVERTEX v[3];
    EXPECT_EQ(mesh->GetVertices(group, 0, 3, v), D3DRM_OK);
    return v[1].color;
  }
  GroupIndexList Only(DWORD group) {
    GroupIndexList list;
    list.AddTail(group);
    return list;
  }
  IUPtr<IDirect3DRMMesh> mesh;
};

TEST_F(MaterialMeshTest, AGroupIsReadAsItsLookKeepingThePatternValues) {
  ASSERT_EQ(mesh->SetGroupColor(0, 0x80FF0000), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupQuality(0, D3DRMSHADE_FLAT | D3DRMLIGHT_OFF | D3DRMFILL_WIREFRAME), D3DRM_OK);
  Material plain(mesh, 0, 5, 1, 1, 9);
  EXPECT_EQ(plain.name, CString("default"));
  EXPECT_EQ(plain.diffuse.a, 128 / 255.0);
  EXPECT_EQ(plain.diffuse.r, 1.0);
  EXPECT_EQ(plain.emissive, Color(0, 0, 0, 1));
  EXPECT_EQ(plain.lighting, 0);
  EXPECT_EQ(plain.wireframe, 1);
  EXPECT_EQ(plain.smooth, 1);
  EXPECT_EQ(plain.reserved, 5);
  EXPECT_EQ(plain.patternNumber, 9);

  IUPtr<IDirect3DRMMaterial> nameless;
  ASSERT_EQ(app.lpD3DRM->CreateMaterial(4.0f, &nameless), D3DRM_OK);
  ASSERT_EQ(nameless->SetEmissive(0.5f, 0, 0), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMaterial(1, nameless), D3DRM_OK);
  Material fromMaterial(mesh, 1, -1, 0, 0, 1);
  EXPECT_EQ(fromMaterial.name, CString("1"));
  EXPECT_EQ(fromMaterial.shininess, 4.0);
  EXPECT_EQ(fromMaterial.emissive.r, 0.5);
}

TEST_F(MaterialMeshTest, ApplyingWritesTheLookAndRegeneratesViewsOnlyForLightingOrOpacityChanges) {
  ASSERT_EQ(mesh->SetGroupQuality(0, D3DRMRENDER_PHONG), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupColor(0, 0xFFFFFFFF), D3DRM_OK);
  Material look;
  look.name = "seat";
  look.diffuse = Color(1, 0, 0, 1);
  look.shininess = 5;
  look.ApplyToMeshGroups(mesh, Only(0));
  EXPECT_EQ(mesh->GetGroupQuality(0), 0x8Au);
  EXPECT_EQ(mesh->GetGroupColor(0), 0xFFFF0000u);
  EXPECT_EQ(VertexColor(0), 0xFFFF0000u);
  EXPECT_EQ(app.regenerations, 0);
  Material read(mesh, 0, -1, 0, 0, 1);
  EXPECT_EQ(read.name, CString("seat"));
  EXPECT_EQ(read.shininess, 5.0);
  look.ApplyToMeshGroups(mesh, Only(0));
  EXPECT_EQ(app.regenerations, 0);

  look.diffuse.a = 0.5;
  look.ApplyToMeshGroups(mesh, Only(0));
  EXPECT_EQ(app.regenerations, 1);
  look.lighting = 0;
  look.smooth = 0;
  look.wireframe = 1;
  look.ApplyToMeshGroups(mesh, Only(0));
  EXPECT_EQ(mesh->GetGroupQuality(0), 0x40u);
  EXPECT_EQ(app.regenerations, 2);

  // With a pattern the plain colour is not painted; the pattern is.
  Material pattern;
  pattern.patternOn = 1;
  pattern.lighting = 0;
  pattern.ApplyToMeshGroups(mesh, Only(1));
  EXPECT_NE(VertexColor(1), 0xFFFFFFFFu);
  EXPECT_EQ(mesh->GetGroupColor(1), 0xFFFFFFFFu);
}

}  // namespace
