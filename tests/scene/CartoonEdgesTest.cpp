// Edge data: welding, face normals and which seams become surface edges.
#include "scene/CartoonEdges.h"
#include "scene/CartoonTestSupport.h"

namespace {

D3DRMVERTEX At(float x, float y, float z, D3DVECTOR normal = {0, 0, 1}) { return {{x, y, z}, normal, 0, 0, 0}; }

CartoonEdgeData OneGroup(const std::vector<D3DRMVERTEX>& v, const std::vector<unsigned>& f) {
  return BuildCartoonEdgeData({{v.data(), static_cast<DWORD>(v.size()), f.data(), static_cast<DWORD>(f.size() / 3), 0}});
}

TEST(CartoonEdges, ACubeWithOneNormalPerSideHasEightPointsAndTwelveEdges) {
  const auto v = CubeVertices(1.0f);
  const CartoonEdgeData data = OneGroup(v, CubeFaces());
  EXPECT_EQ(data.numShared, 8u);
  ASSERT_EQ(data.numEdges, 12u);
  ASSERT_EQ(data.surfEdges.size(), 48u);
  ASSERT_EQ(data.surfEdgeFaces.size(), 24u);
  for (DWORD e = 0; e < 12; ++e) {
    const D3DVECTOR &a = v[data.surfEdges[4 * e]].position, &b = v[data.surfEdges[4 * e + 1]].position;
    EXPECT_EQ((a.x != b.x) + (a.y != b.y) + (a.z != b.z), 1) << "a side's diagonal is no edge";
    EXPECT_NE(data.surfEdgeFaces[2 * e] / 2, data.surfEdgeFaces[2 * e + 1] / 2) << "faces of two sides";
  }
  EXPECT_EQ(data.faceNormals[0].x, 1.0f);  // the +x side's first face
  EXPECT_EQ(data.faceNormals[3].x, -1.0f);
}

// Two triangles meeting along the edge from (1, 0, 0) to (0, 1, 0), each with its own vertices.
struct TwoTriangles {
  std::vector<D3DRMVERTEX> first{At(0, 0, 0), At(1, 0, 0), At(0, 1, 0)};
  std::vector<D3DRMVERTEX> second{At(1, 0, 0), At(1, 1, 0), At(0, 1, 0)};
  std::vector<unsigned> faces{0, 1, 2};

  CartoonEdgeData Build(WORD firstPart, WORD secondPart) const {
    return BuildCartoonEdgeData(
        {{first.data(), 3, faces.data(), 1, firstPart}, {second.data(), 3, faces.data(), 1, secondPart}});
  }
};

TEST(CartoonEdges, SeamsBecomeSurfaceEdgesAtCreasesPartBoundariesAndInsideAGroup) {
  TwoTriangles mesh;
  EXPECT_EQ(mesh.Build(0, 0).numEdges, 0u) << "one part, equal normals";

  // Groups are numbered from the last: the second triangle's vertices are 0 to 2, its face 0.
  const CartoonEdgeData parts = mesh.Build(0, 1);
  EXPECT_EQ(parts.numShared, 4u);
  EXPECT_EQ(parts.weldMap, (std::vector<DWORD>{0, 1, 2, 3, 0, 2}));
  ASSERT_EQ(parts.numEdges, 1u);
  EXPECT_EQ(parts.surfEdges, (std::vector<DWORD>{0, 2, 3, 1})) << "end0, end1, then the opposite corners";
  EXPECT_EQ(parts.surfEdgeFaces, (std::vector<DWORD>{1, 0})) << "face A runs from end0 to end1";

  mesh.second[2].normal = {0, 0.6f, 0.8f};
  EXPECT_EQ(mesh.Build(0, 0).numEdges, 1u) << "one part, a crease";

  const std::vector<D3DRMVERTEX> oneGroup{At(0, 0, 0), At(1, 0, 0), At(0, 1, 0), At(1, 0, 0), At(1, 1, 0), At(0, 1, 0)};
  EXPECT_EQ(OneGroup(oneGroup, {0, 1, 2, 3, 4, 5}).numEdges, 1u) << "a seam inside one group";
  EXPECT_EQ(OneGroup(oneGroup, {0, 1, 2, 1, 4, 2}).numEdges, 0u) << "no seam where the faces share vertices";
}

TEST(CartoonEdges, AWeldJoinsTheNewestEqualKeyAndKeepsTheTwoSidesOfASheetApart) {
  // Welded from the last vertex to the first: (1,0,0) first, then its opposite (-1,0,0) stays
  // apart, then (0,1,0) equals both and joins the newer one.
  const std::vector<D3DRMVERTEX> v{At(0, 0, 0, {0, 1, 0}), At(0, 0, 0, {-1, 0, 0}), At(0, 0, 0, {1, 0, 0}),
                                   At(-0.0f, 1, 0), At(0.0f, 1, 0), At(1, 0, 0)};
  const CartoonEdgeData data = OneGroup(v, {0, 3, 5});
  EXPECT_EQ(data.weldMap, (std::vector<DWORD>{1, 1, 2, 4, 4, 5})) << "-0.0 and 0.0 are one position";
  EXPECT_EQ(data.numShared, 4u);

  // A face without area gets no normal instead of ending the program.
  const CartoonEdgeData flat = OneGroup({At(0, 0, 0), At(1, 1, 1), At(2, 2, 2)}, {0, 1, 2});
  EXPECT_EQ(flat.faceNormals[0].x, 0.0f);
  EXPECT_EQ(flat.faceNormals[0].z, 0.0f);
}

}  // namespace
