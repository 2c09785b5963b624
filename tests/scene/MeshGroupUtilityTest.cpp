// Mesh group helpers (vertex-colour patterns, replacing visuals) and the hashing of names and
// welded vertices.
#include <gtest/gtest.h>

#include <vector>

#include "SceneTestSupport.h"
#include "scene/CartoonVertex.h"
#include "scene/InstanceMap.h"
#include "scene/MeshGroupUtility.h"
#include "scene/MeshSO.h"

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

TEST_F(MeshGroupUtilityTest, PatternColoursFollowTheGeneratorFromTheirSeed) {
  PatternRandom random(1);
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);

  // One group: drawn from the last vertex down; equal positions still draw their own colours.
  auto mesh = TriangleMesh(app.lpD3DRM, {{{0, 0, 0}, {0, 0, 0}, {1, 0, 0}}});
  const Color white(1, 1, 1, 1);
  XApplyVertexColorPattern(mesh, Groups({0}), white, 1, 0);
  const auto psychedelic = Colors(mesh, 0);
  EXPECT_EQ(psychedelic[2], 0xFF009031u);
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
}

TEST_F(MeshGroupUtilityTest, GroupsOfOnePartShareTheColourOfEveryPositionTheyShare) {
  // Two triangles sharing an edge, as two groups; -0.0 and 0.0 are one position.
  auto mesh = TriangleMesh(app.lpD3DRM, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {-0.0f, 0, 0}, {1, 1, 0}}});
  XApplyVertexColorPattern(mesh, Groups({0, 1}), Color(1, 1, 1, 1), 1, 0);
  const auto first = Colors(mesh, 0), second = Colors(mesh, 1);
  EXPECT_EQ(first[2], 0xFF009031u);  // the first drawn: the last vertex of the first group
  EXPECT_EQ(second[0], first[1]);
  EXPECT_EQ(second[1], first[0]);
  EXPECT_NE(second[2], first[0]);
  // The same part, seed and look give the same colours again.
  XApplyVertexColorPattern(mesh, Groups({0, 1}), Color(1, 1, 1, 1), 1, 0);
  EXPECT_EQ(Colors(mesh, 1), second);

  XSetGroupVertexColor(mesh, 1, 0xFF123456);
  EXPECT_EQ(Colors(mesh, 1), (std::vector<D3DCOLOR>(3, 0xFF123456)));
  EXPECT_EQ(Colors(mesh, 0), first);
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

UINT Bucket(const char* name) { return InstanceMap::HashKey(name) % InstanceMap::kBuckets; }

TEST(InstanceMap, NamesHashByAtMostFourOfTheirBytesAndMatchExactly) {
  EXPECT_EQ(Bucket(""), 0u);
  EXPECT_EQ(Bucket("a"), 97u);
  EXPECT_EQ(Bucket("abc"), 97u);
  EXPECT_EQ(Bucket("abcd"), 868u);
  EXPECT_EQ(Bucket("xabcd"), 868u);
  EXPECT_EQ(Bucket("abcdefgh"), 868u);
  EXPECT_EQ(Bucket("abcdefg"), 1459u);
  EXPECT_EQ(InstanceMap::HashKey("\xE9z"), 0xFFFFFFE9u);
  EXPECT_EQ(Bucket("\xE9z"), 941u);

  InstanceMap map;
  UINT bucket = 1;
  EXPECT_EQ(map.GetAssocAt("", bucket), nullptr);
  EXPECT_EQ(bucket, 0u);
  map["Chair"].AddTail(static_cast<MeshSO*>(nullptr));
  EXPECT_NE(map.Find("Chair"), nullptr);
  EXPECT_EQ(map.Find("chair"), nullptr);
  map.Remove("Chair");
  EXPECT_TRUE(map.IsEmpty());
  map["Chair"].AddTail(static_cast<MeshSO*>(nullptr));  // the bucket table is made again
  EXPECT_EQ(map.Find("Chair")->GetCount(), 1);
}

TEST(CartoonVertex, OnePositionIsOneWeldedVertexUnlessTheNormalsAreOpposite) {
  const CartoonVertex front{1, 2, 3, 0, 0, 1};
  EXPECT_FALSE(front == (CartoonVertex{1, 2, 3, 0, 0, -1}));
  EXPECT_TRUE(front == (CartoonVertex{1, 2, 3, 1, 0, 0}));
  EXPECT_FALSE(front == (CartoonVertex{1, 2, 3.0001f, 0, 0, 1}));
  const CartoonVertex zero{0, 0, 0, 0, 1, 0}, negativeZero{-0.0f, 0, -0.0f, 0, 1, 0};
  EXPECT_TRUE(zero == negativeZero);
  EXPECT_EQ(HashKey(zero), HashKey(negativeZero));
  EXPECT_EQ(HashKey(CartoonVertex{1, 0, 0, 0, 0, 0}), 0x3F800000u);
}

}  // namespace
