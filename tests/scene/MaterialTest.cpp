#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SceneTestSupport.h"
#include "platform/framework/ArchiveBackends.h"
#include "scene/Material.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

Bytes Store(Material m) {
  return StoreBytes(Backend::memory, [&](CArchive& ar) { m.Serialize(ar); });
}

// One change of each member, in order.
const std::vector<std::function<void(Material&)>> kChanges = {
    [](Material& m) { m.name = "seat"; },         [](Material& m) { m.diffuse.a = 0.5; },
    [](Material& m) { m.emissive.r = 0.1; },      [](Material& m) { m.specular.luminance = 0.2; },
    [](Material& m) { m.shininess = 8; },         [](Material& m) { m.lighting = 0; },
    [](Material& m) { m.smooth = 0; },            [](Material& m) { m.wireframe = 1; },
    [](Material& m) { m.reserved = 7; },          [](Material& m) { m.patternOn = 1; },
    [](Material& m) { m.burned = 1; },            [](Material& m) { m.patternNumber = -3; }};

TEST(Material, ARecordTakes158BytesAndTheNameReadsBackEqualAndComparesEveryMember) {
  Material changed;
  for (const auto& change : kChanges) {
    Material m;
    change(m);
    EXPECT_TRUE(m != Material());
    change(changed);
  }
  const Bytes bytes = Store(changed);
  EXPECT_EQ(bytes.size(), 158u + 4);
  Material read;
  LoadBytes(Backend::memory, bytes, [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_TRUE(read == changed);

  Material longName;
  longName.name = std::string(254, 'a').c_str();
  EXPECT_EQ(Store(longName)[4], 254);
  longName.name = std::string(255, 'a').c_str();
  const Bytes longer = Store(longName);
  EXPECT_EQ(longer.size(), 158u + 255 + 2);
  EXPECT_EQ(longer[4], 0xFF);

  ScriptedMessageBoxes boxes;  // a newer record shows why
  Bytes newer = Store(Material());
  newer[0] = 1;  // schema 0x80000001
  ExpectArchiveFailure(Backend::memory, newer, CArchiveException::badSchema, [&](CArchive& ar) { read.Serialize(ar); });
}

class MaterialMeshTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ASSERT_EQ(app.lpD3DRM->CreateMesh(&mesh), D3DRM_OK);
    const unsigned faces[3] = {0, 1, 2};
    const D3DRMVERTEX v[3] = {{{0, 0, 0}, {0, 0, -1}, 0, 0, 0}, {{1, 0, 0}, {0, 0, -1}, 0, 0, 0},
                              {{0, 1, 0}, {0, 0, -1}, 0, 0, 0}};
    for (D3DRMGROUPINDEX g = 0; g < 2; ++g) {
      ASSERT_EQ(mesh->AddGroup(3, 1, 3, faces, &g), D3DRM_OK);
      ASSERT_EQ(mesh->SetVertices(g, 0, 3, v), D3DRM_OK);
    }
  }
  void TearDown() override {
    mesh = nullptr;
    SceneTest::TearDown();
  }
  D3DCOLOR VertexColor(D3DRMGROUPINDEX group) {
    D3DRMVERTEX v[3];
    EXPECT_EQ(mesh->GetVertices(group, 0, 3, v), D3DRM_OK);
    return v[1].color;
  }
  static GroupIndexList Only(DWORD group) {
    GroupIndexList list;
    list.AddTail(group);
    return list;
  }
  IUPtr<IDirect3DRMMesh> mesh;
};

TEST_F(MaterialMeshTest, AGroupIsReadAsItsLookWithItsMaterialOrDefaultName) {
  ASSERT_EQ(mesh->SetGroupColor(0, 0x80FF0000), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupQuality(0, D3DRMSHADE_FLAT | D3DRMLIGHT_OFF | D3DRMFILL_WIREFRAME), D3DRM_OK);
  Material plain(mesh, 0, 5, 1, 1, 9);
  EXPECT_EQ(plain.name, CString("default"));
  EXPECT_EQ(plain.diffuse.a, 128 / 255.0);
  EXPECT_EQ(plain.lighting, 0);
  EXPECT_EQ(plain.wireframe, 1);
  EXPECT_EQ(plain.smooth, 1);  // whatever the group's shade mode
  EXPECT_EQ(plain.patternNumber, 9);

  IUPtr<IDirect3DRMMaterial> nameless;
  ASSERT_EQ(app.lpD3DRM->CreateMaterial(4.0f, &nameless), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMaterial(1, nameless), D3DRM_OK);
  Material fromMaterial(mesh, 1, -1, 0, 0, 1);
  EXPECT_EQ(fromMaterial.name, CString("1"));
  EXPECT_EQ(fromMaterial.shininess, 4.0);
}

TEST_F(MaterialMeshTest, ApplyingWritesTheLookAndRegeneratesViewsOnlyForLightingOrOpacityChanges) {
  ASSERT_EQ(mesh->SetGroupQuality(0, D3DRMRENDER_PHONG), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupColor(0, 0xFFFFFFFF), D3DRM_OK);
  Material look;
  look.name = "seat";
  look.diffuse = Color(1, 0, 0, 1);
  look.shininess = 5;
  look.ApplyToMeshGroups(mesh, Only(0));
  look.ApplyToMeshGroups(mesh, Only(0));
  EXPECT_EQ(app.regenerations, 0);
  EXPECT_EQ(mesh->GetGroupQuality(0), 0x8Au);
  EXPECT_EQ(VertexColor(0), 0xFFFF0000u);
  EXPECT_TRUE(Material(mesh, 0, -1, 0, 0, 1) == look);

  look.diffuse.a = 0.5;
  look.ApplyToMeshGroups(mesh, Only(0));
  EXPECT_EQ(app.regenerations, 1);
  look.lighting = look.smooth = 0;
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
  // Each group keeps its own platform material: one part never shows the other's glow.
  look.emissive = Color(1, 0, 0, 1);
  look.ApplyToMeshGroups(mesh, Only(0));
  EXPECT_EQ(Material(mesh, 1, -1, 0, 0, 1).emissive, Color(0, 0, 0, 1));
}

}  // namespace
