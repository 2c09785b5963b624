// Mesh group helpers, parts' looks and their records, and the map of shared objects' names.
#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "SceneTestSupport.h"
#include "platform/framework/ArchiveBackends.h"
#include "scene/InstanceMap.h"
#include "scene/Material.h"
#include "scene/MeshGroupUtility.h"
#include "scene/MeshSO.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using MeshGroupUtilityTest = SceneTest;

// A mesh of groups of one triangle each; group g has its corners at `corners[g]`.
IUPtr<IDirect3DRMMesh> TriangleMesh(IDirect3DRM* rm, const std::vector<std::vector<D3DVECTOR>>& corners) {
  IUPtr<IDirect3DRMMesh> mesh;
  EXPECT_EQ(rm->CreateMesh(&mesh), D3DRM_OK);
  for (const auto& group : corners) {
    const unsigned faces[3] = {0, 1, 2};
    D3DRMGROUPINDEX index;
    EXPECT_EQ(mesh->AddGroup(3, 1, 3, faces, &index), D3DRM_OK);
    std::vector<D3DRMVERTEX> vertices;
    for (const D3DVECTOR& p : group) vertices.push_back({p, {0, 0, -1}, 0, 0, 0});
    EXPECT_EQ(mesh->SetVertices(index, 0, 3, vertices.data()), D3DRM_OK);
  }
  return mesh;
}

std::vector<D3DCOLOR> Colors(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  D3DRMVERTEX v[3];
  EXPECT_EQ(mesh->GetVertices(group, 0, 3, v), D3DRM_OK);
  return {v[0].color, v[1].color, v[2].color};
}

GroupIndexList Groups(std::initializer_list<DWORD> indices) {
  GroupIndexList list;
  for (DWORD i : indices) list.AddTail(i);
  return list;
}

TEST_F(MeshGroupUtilityTest, PatternColoursFollowTheGeneratorAndGroupsOfOnePartShareThemWherePositionsMeet) {
  PatternRandom random(1);
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);

  // Equal positions in one group still draw their own colours.
  auto mesh = TriangleMesh(app.lpD3DRM, {{{0, 0, 0}, {0, 0, 0}, {1, 0, 0}}});
  const Color white(1, 1, 1, 1);
  XApplyVertexColorPattern(mesh, Groups({0}), white, 1, 0);
  const auto psychedelic = Colors(mesh, 0);
  EXPECT_NE(psychedelic[0], psychedelic[1]);
  XApplyVertexColorPattern(mesh, Groups({0}), white, 1, 1);
  for (D3DCOLOR c : Colors(mesh, 0)) EXPECT_TRUE((c & 0xFF) == (c >> 8 & 0xFF) && (c & 0xFF) == (c >> 16 & 0xFF));
  EXPECT_EQ(Colors(mesh, 0)[2], 0xFF000000u);
  // A channel of 0 stays 0; alpha comes from the part's colour.
  XApplyVertexColorPattern(mesh, Groups({0}), Color(1, 0, 1, 0.5), 7, 0);
  for (D3DCOLOR c : Colors(mesh, 0)) EXPECT_EQ(c & 0xFF00FF00u, 0x80000000u);
  // No groups: nothing changes.
  const auto before = Colors(mesh, 0);
  XApplyVertexColorPattern(mesh, Groups({}), white, 3, 0);
  EXPECT_EQ(Colors(mesh, 0), before);

  // Two triangles sharing an edge, as two groups; -0.0 and 0.0 are one position.
  mesh = TriangleMesh(app.lpD3DRM, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {-0.0f, 0, 0}, {1, 1, 0}}});
  XApplyVertexColorPattern(mesh, Groups({0, 1}), white, 1, 0);
  const auto first = Colors(mesh, 0), second = Colors(mesh, 1);
  EXPECT_EQ(first[2], 0xFF009031u);  // the first drawn: the last vertex of the first group
  EXPECT_EQ(second[0], first[1]);
  EXPECT_EQ(second[1], first[0]);
  EXPECT_NE(second[2], first[0]);
  // The same part, seed and look give the same colours again.
  XApplyVertexColorPattern(mesh, Groups({0, 1}), white, 1, 0);
  EXPECT_EQ(Colors(mesh, 1), second);
}

TEST_F(MeshGroupUtilityTest, ReplacingAVisualSwapsItInEveryFrameThatShowsItOnly) {
  IUPtr<IDirect3DRMMesh> old, replacement, extra;
  ASSERT_EQ(app.lpD3DRM->CreateMesh(&old), D3DRM_OK);
  ASSERT_EQ(app.lpD3DRM->CreateMesh(&replacement), D3DRM_OK);
  ASSERT_EQ(app.lpD3DRM->CreateMesh(&extra), D3DRM_OK);
  IUPtr<IDirect3DRMFrame> showing, other;
  ASSERT_EQ(app.lpD3DRM->CreateFrame(nullptr, &showing), D3DRM_OK);
  ASSERT_EQ(app.lpD3DRM->CreateFrame(nullptr, &other), D3DRM_OK);
  ASSERT_EQ(showing->AddVisual(old), D3DRM_OK);
  ASSERT_EQ(other->AddVisual(extra), D3DRM_OK);
  {
    ReplaceVisualInfo info(old, replacement, extra);
    ASSERT_EQ(app.lpD3DRM->EnumerateObjects(&ReplaceVisual, &info), D3DRM_OK);
  }
  auto visualsOf = [](IDirect3DRMFrame* frame) {
    IDirect3DRMVisualArray* array = nullptr;
    EXPECT_EQ(frame->GetVisuals(&array), D3DRM_OK);
    return ElementsOf(array);
  };
  EXPECT_EQ(visualsOf(showing), (std::vector<IDirect3DRMVisual*>{replacement, extra}));
  EXPECT_EQ(visualsOf(other), (std::vector<IDirect3DRMVisual*>{extra}));
  ASSERT_EQ(app.lpD3DRM->EnumerateObjects(&RemoveVisualFromFrames, static_cast<IDirect3DRMVisual*>(extra)),
            D3DRM_OK);
  EXPECT_EQ(visualsOf(showing), (std::vector<IDirect3DRMVisual*>{replacement}));
  EXPECT_TRUE(visualsOf(other).empty());
}

TEST(InstanceMap, NamesMatchExactlyAndTheBucketsAreMadeAgainAfterTheLastNameGoes) {
  InstanceMap map;
  UINT bucket = 1;
  EXPECT_EQ(map.GetAssocAt("", bucket), nullptr);
  EXPECT_EQ(bucket, 0u);
  map["Chair"].AddTail(static_cast<MeshSO*>(nullptr));
  EXPECT_NE(map.Find("Chair"), nullptr);
  EXPECT_EQ(map.Find("chair"), nullptr);
  map["\xE9z"].AddTail(static_cast<MeshSO*>(nullptr));  // a short name of a high byte
  EXPECT_NE(map.Find("\xE9z"), nullptr);
  map.Remove("\xE9z");
  map.Remove("Chair");
  EXPECT_TRUE(map.IsEmpty());
  map["Chair"].AddTail(static_cast<MeshSO*>(nullptr));  // the bucket table is made again
  EXPECT_EQ(map.Find("Chair")->GetCount(), 1);
}

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
    [](Material& m) { m.burned = 1; },            [](Material& m) { m.patternNumber = 3; }};

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

TEST(Material, ReadingRefusesWhatNoPageShowsAShininessOrPatternOutOfRangeOrAColourThatIsNoNumber) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<const char*, std::function<void(Material&)>>> damaged = {
      {"negative shininess", [](Material& m) { m.shininess = -1.0; }},
      {"shininess no number", [&](Material& m) { m.shininess = nan; }},
      {"shininess past single precision", [](Material& m) { m.shininess = 1e39; }},
      {"pattern 0", [](Material& m) { m.patternNumber = 0; }},
      {"pattern 32768", [](Material& m) { m.patternNumber = 32768; }},
      {"luminance no number", [&](Material& m) { m.diffuse.luminance = nan; }},
      {"glow infinite", [&](Material& m) { m.emissive.g = inf; }},
      {"opacity no number", [&](Material& m) { m.diffuse.a = nan; }},
  };
  for (const auto& [what, damage] : damaged) {
    SCOPED_TRACE(what);
    Material m;
    damage(m);
    Material read;
    ExpectArchiveFailure(Backend::memory, Store(m), CArchiveException::generic, [&](CArchive& ar) { read.Serialize(ar); });
  }
  // The ends of each range read back.
  Material ends;
  ends.shininess = FLT_MAX;
  ends.patternNumber = 32767;
  ends.diffuse.luminance = -1e300;
  Material read;
  LoadBytes(Backend::memory, Store(ends), [&](CArchive& ar) { read.Serialize(ar); });
  EXPECT_TRUE(read == ends);
}

using MaterialMeshTest = MeshGroupUtilityTest;

TEST_F(MaterialMeshTest, AGroupIsReadAsItsLookAndApplyingOneRegeneratesViewsOnlyForLightingOrOpacity) {
  const auto mesh =
      TriangleMesh(app.lpD3DRM, std::vector(2, std::vector<D3DVECTOR>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
  ASSERT_EQ(mesh->SetGroupColor(0, 0x80FF0000), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupQuality(0, D3DRMSHADE_FLAT | D3DRMLIGHT_OFF | D3DRMFILL_WIREFRAME), D3DRM_OK);
  Material plain(mesh, 0, 5, 1, 1, 9);
  EXPECT_EQ(plain.name, CString("default"));
  EXPECT_EQ(plain.diffuse.a, 128 / 255.0);
  EXPECT_EQ(plain.lighting, 0);
  EXPECT_EQ(plain.wireframe, 1);
  EXPECT_EQ(plain.smooth, 1);  // whatever the group's shade mode

  IUPtr<IDirect3DRMMaterial> nameless;
  ASSERT_EQ(app.lpD3DRM->CreateMaterial(4.0f, &nameless), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMaterial(1, nameless), D3DRM_OK);
  Material fromMaterial(mesh, 1, -1, 0, 0, 1);
  EXPECT_EQ(fromMaterial.name, CString("1"));
  EXPECT_EQ(fromMaterial.shininess, 4.0);

  ASSERT_EQ(mesh->SetGroupQuality(0, D3DRMRENDER_PHONG), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupColor(0, 0xFFFFFFFF), D3DRM_OK);
  Material look;
  look.name = "seat";
  look.diffuse = Color(1, 0, 0, 1);
  look.shininess = 5;
  look.ApplyToMeshGroups(mesh, Groups({0}));
  look.ApplyToMeshGroups(mesh, Groups({0}));
  EXPECT_EQ(app.regenerations, 0);
  EXPECT_EQ(mesh->GetGroupQuality(0), 0x8Au);
  EXPECT_EQ(Colors(mesh, 0)[1], 0xFFFF0000u);
  EXPECT_TRUE(Material(mesh, 0, -1, 0, 0, 1) == look);

  look.diffuse.a = 0.5;
  look.ApplyToMeshGroups(mesh, Groups({0}));
  EXPECT_EQ(app.regenerations, 1);
  look.lighting = look.smooth = 0;
  look.wireframe = 1;
  look.ApplyToMeshGroups(mesh, Groups({0}));
  EXPECT_EQ(mesh->GetGroupQuality(0), 0x40u);
  EXPECT_EQ(app.regenerations, 2);

  // With a pattern the plain colour is not painted; the pattern is.
  Material pattern;
  pattern.patternOn = 1;
  pattern.lighting = 0;
  pattern.ApplyToMeshGroups(mesh, Groups({1}));
  EXPECT_NE(Colors(mesh, 1)[1], 0xFFFFFFFFu);
  EXPECT_EQ(mesh->GetGroupColor(1), 0xFFFFFFFFu);
  // Each group keeps its own platform material: one part never shows the other's glow.
  look.emissive = Color(1, 0, 0, 1);
  look.ApplyToMeshGroups(mesh, Groups({0}));
  EXPECT_EQ(Material(mesh, 1, -1, 0, 0, 1).emissive, Color(0, 0, 0, 1));
}

}  // namespace
