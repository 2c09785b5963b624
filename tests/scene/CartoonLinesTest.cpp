// Edge data (welding, face normals, which seams become surface edges), and the silhouette and
// surface lines of meshes seen from a known camera: which lines, how they are batched, the execute
// buffer of a batch byte for byte, culling at the viewport, and meshes at and beyond the limits.
#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <utility>

#include "scene/CartoonEdges.h"
#include "scene/CartoonExecute.h"
#include "scene/CartoonTestSupport.h"

namespace {

D3DRMVERTEX At(float x, float y, float z, D3DVECTOR n = {0, 0, 1}) { return {{x, y, z}, n, 0, 0, 0}; }

// Appends two faces meeting at the edge from (x + s, y, 3) to (x - s, y, 3): one faces the camera,
// the other folds away behind it, so the edge is a silhouette line.
void AddRoof(std::vector<D3DRMVERTEX>& v, std::vector<unsigned>& f, float x, float y, float s) {
  const unsigned b = static_cast<unsigned>(v.size());
  v.insert(v.end(), {At(x + s, y, 3), At(x - s, y, 3), At(x, y + s, 3), At(x, y - s / 2, 3 + s)});
  f.insert(f.end(), {b, b + 1, b + 2, b, b + 1, b + 3});
}

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

template <class Record>
void Put(std::vector<BYTE>& bytes, std::size_t at, const Record& record) {
  std::memcpy(&bytes[at], &record, sizeof record);
}

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

using CartoonLinesTest = CartoonRenderTest;

// The cube of side 2 centred on (1.5, 1.5, 6): corner (bx, by, bz) is number bx + 2 by + 4 bz, 0
// nearest the camera and 7 farthest.
const D3DVECTOR kCubeCentre{1.5f, 1.5f, 6.0f};
Vector CubeCorner(int corner) { return {0.5 + 2 * (corner & 1), 0.5 + (corner & 2), 5.0 + (corner & 4) / 2}; }

// The lines of a one-batch silhouette as pairs of cube corners, each end found where `screen`
// puts a corner.
template <class Screen>
std::set<std::pair<int, int>> OutlineCorners(const ExecutedBatch& batch, Screen screen) {
  const DWORD lines = (batch.VertexCount() - 1) / 4;
  EXPECT_EQ(batch.VertexCount(), 1 + 4 * lines) << "every line has a band";
  const auto cornerAt = [&](const D3DTLVERTEX& v) {
    for (int c = 0; c < 8; ++c)
      if (std::abs(screen(c).first - v.sx) < 1e-3 && std::abs(screen(c).second - v.sy) < 1e-3) return c;
    return -1;
  };
  std::set<std::pair<int, int>> found;
  for (DWORD line = 0; line < lines; ++line) {
    const int a = cornerAt(batch.Vertex(2 * line + 1)), b = cornerAt(batch.Vertex(2 * line + 2));
    found.insert({std::min(a, b), std::max(a, b)});
  }
  EXPECT_EQ(found.size(), lines) << "no line twice";
  return found;
}

TEST_F(CartoonLinesTest, ACubeSeenFromOneSideOfItsCornerIsOutlinedByExactlySixEdges) {
  MakeView(64, 64);
  DrawMesh(CubeVertices(1.0f, kCubeCentre), CubeFaces(), 2.0, 0);
  ASSERT_EQ(record.batches.size(), 1u);
  const ExecutedBatch& batch = record.batches[0];
  const DWORD lines = (batch.VertexCount() - 1) / 4;

  const auto screen = [](int corner) {
    const Vector c = CubeCorner(corner);
    return std::pair{32 + 32 * c.x / c.z, 32 - 32 * c.y / c.z};
  };
  std::set<std::pair<int, int>> outline;
  for (int a = 0; a < 8; ++a)
    for (int bit : {1, 2, 4})
      if (!(a & bit) && a != 0 && (a | bit) != 7) outline.insert({a, a | bit});
  EXPECT_EQ(OutlineCorners(batch, screen), outline);
  EXPECT_EQ(lines, 6u);

  // The band lies on the other side of the line than the cube; bands are made from the last line.
  const double cx = 32 + 32 * 1.5 / 6, cy = 32 - 32 * 1.5 / 6;  // the cube's centre
  for (DWORD line = 0; line < lines; ++line) {
    const D3DTLVERTEX p = batch.Vertex(2 * line + 1), q = batch.Vertex(2 * line + 2);
    const D3DTLVERTEX moved = batch.Vertex(1 + 2 * lines + 2 * (lines - 1 - line));
    EXPECT_LT(Cross(q.sx - p.sx, q.sy - p.sy, moved.sx - p.sx, moved.sy - p.sy) *
                  Cross(q.sx - p.sx, q.sy - p.sy, cx - p.sx, cy - p.sy),
              0);
  }
  EXPECT_EQ(batch.Triangles().size(), 6 * 2 + 6u) << "one join fan triangle at each corner of the outline";
}

// Seen along the view direction, the cube's sides are edge-on: each closes a line with the front
// face, so the outline is the front square, placed by the viewport's own projection.
TEST_F(CartoonLinesTest, SeenOrthographicallyACubeIsOutlinedByItsFrontSquare) {
  MakeView(64, 64);
  ASSERT_EQ(viewport->SetProjection(D3DRMPROJECT_ORTHOGRAPHIC), D3DRM_OK);
  DrawMesh(CubeVertices(1.0f, kCubeCentre), CubeFaces(), 2.0, 0);
  ASSERT_EQ(record.batches.size(), 1u);
  const auto screen = [&](int corner) {
    D3DVECTOR world = CubeCorner(corner).ToD3DVECTOR();
    D3DRMVECTOR4D at{};
    EXPECT_EQ(viewport->Transform(&at, &world), D3DRM_OK);
    return std::pair{double(at.x / at.w), double(at.y / at.w)};
  };
  EXPECT_EQ(OutlineCorners(record.batches[0], screen), (std::set<std::pair<int, int>>{{0, 1}, {0, 2}, {1, 3}, {2, 3}}));
}

TEST_F(CartoonLinesTest, ThousandLinesGoInBatchesOf450And450And100WithOneUpdate) {
  MakeView(640, 480);
  std::vector<D3DRMVERTEX> v;
  std::vector<unsigned> f;
  for (int i = 0; i < 1000; ++i) AddRoof(v, f, -1.0f + 0.05f * (i % 40), -0.6f + 0.05f * (i / 40), 0.02f);
  DrawMesh(v, f, 1.0, 0);
  ASSERT_EQ(record.batches.size(), 3u);
  const DWORD lines[3] = {450, 450, 100};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(record.batches[i].VertexCount(), 1 + 4 * lines[i]);
    EXPECT_EQ(record.batches[i].Triangles().size(), 2 * lines[i]);
  }
  EXPECT_EQ(record.batchesAtUpdate, std::vector<int>{3});
}

TEST_F(CartoonLinesTest, SurfaceEdgesGoInRunsOf100EachFollowedByAnUpdate) {
  MakeView(640, 480);
  // 250 edges, each between two faces turned to the camera: a band on either side.
  std::vector<D3DRMVERTEX> v;
  std::vector<DWORD> edges, faces;
  for (DWORD e = 0; e < 250; ++e) {
    const float x = -1.0f + 0.05f * (e % 40), y = -0.6f + 0.05f * (e / 40);
    v.insert(v.end(), {At(x, y, 3), At(x + 0.02f, y, 3), At(x, y + 0.02f, 3), At(x, y - 0.02f, 3)});
    edges.insert(edges.end(), {4 * e, 4 * e + 1, 4 * e + 2, 4 * e + 3});
    faces.insert(faces.end(), {2 * e, 2 * e + 1});
  }
  const std::vector<D3DVECTOR> normals(500, D3DVECTOR{0, 0, -1});
  const Transform identity;
  DrawCartoonQuads(recordingDevice, recordingViewport, identity, identity, {0, 0, 0}, {0, 0, 1}, v.data(),
                   normals.data(), 1000, edges.data(), faces.data(), 250, 4.0, 0xFFFFFF00, FALSE,
                   Projection());
  ASSERT_EQ(record.batches.size(), 3u);
  EXPECT_EQ(record.batches[0].VertexCount(), 1 + 8 * 100u);
  EXPECT_EQ(record.batches[2].VertexCount(), 1 + 8 * 50u);
  EXPECT_EQ(record.batchesAtUpdate, (std::vector<int>{1, 2, 3}));
}

// Face A's opposite corner lies on the edge's own line on the screen: the face is seen edge-on and
// has no depth slope across the band.
TEST_F(CartoonLinesTest, AFaceSeenEdgeOnKeepsItsSurfaceBandAtTheEdgesDepth) {
  MakeView(64, 64);
  const std::vector<D3DRMVERTEX> v{At(0, 0, 3), At(0.5f, 0, 3.5f), At(1, 0, 4), At(0, -0.5f, 3)};
  const DWORD edge[4] = {0, 1, 2, 3}, faces[2] = {0, 1};
  const D3DVECTOR normals[2] = {{0, 0, -1}, {0, 1, 0}};
  const Transform identity;
  DrawCartoonQuads(recordingDevice, recordingViewport, identity, identity, {0, 0, 0}, {0, 0, 1}, v.data(),
                   normals, 4, edge, faces, 1, 4.0, 0xFFFFFF00, FALSE, Projection());
  ASSERT_EQ(record.batches.size(), 1u);
  const ExecutedBatch& batch = record.batches[0];
  ASSERT_EQ(batch.VertexCount(), 7u) << "one side";
  EXPECT_EQ(batch.Vertex(5).sz, batch.Vertex(1).sz);
  EXPECT_EQ(batch.Vertex(6).sz, batch.Vertex(2).sz);
}

// A fan around a centre at depth 5, each spoke and rim edge closed by a face through the camera
// itself (seen exactly edge-on): 2k lines among k + 2 welded vertices. Band ends meeting at a
// point are joined by fan triangles to the (at most eight) ends registered there before them.
TEST_F(CartoonLinesTest, MoreSilhouetteLinesThanWeldedVerticesJoinedAtTheirEnds) {
  MakeView(64, 64);
  const unsigned k = 10;
  std::vector<D3DRMVERTEX> v{At(0, 0, 0), At(0, 0, 5)};
  for (unsigned i = 0; i < k; ++i) {
    const double angle = 2 * 3.14159265358979 * i / k;
    v.push_back(At(static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle)), 5));
  }
  std::vector<unsigned> f;
  const auto ring = [&](unsigned i) { return 2 + i % k; };
  for (unsigned i = 0; i < k; ++i) f.insert(f.end(), {0, 1, ring(i), 0, ring(i), ring(i + 1)});
  for (unsigned i = 0; i < k; ++i) f.insert(f.end(), {1, ring(i + 1), ring(i)});
  DrawMesh(v, f, 2.0, 0);
  ASSERT_EQ(record.batches.size(), 1u);
  EXPECT_EQ(record.batches[0].VertexCount(), 1 + 4 * 2 * k);
  // Two per band; at the centre 0 + 1 + ... + 7, then 8 each for the ninth and tenth end; at each
  // rim point 0 + 1 + 2.
  EXPECT_EQ(record.batches[0].Triangles().size(), 2 * 2 * k + 28 + 8 + 8 + 3 * k);
}

TEST_F(CartoonLinesTest, MeshesBeyondSixteenBitsAreSafe) {
  MakeView(64, 64);
  {
    SCOPED_TRACE("70,000 vertices welded to five: the edge keys stay exact");
    std::vector<D3DRMVERTEX> v(69996, At(5, 5, 50));
    std::vector<unsigned> f;
    AddRoof(v, f, 0, 0, 1);
    DrawMesh(v, f, 2.0, 0);
    ASSERT_EQ(record.batches.size(), 1u);
    EXPECT_EQ(record.batches[0].VertexCount(), 5u);
  }
  {
    SCOPED_TRACE("65,535 welded vertices and more: no silhouette");
    std::vector<D3DRMVERTEX> v;
    for (int i = 0; i < 65535; ++i) v.push_back(At(static_cast<float>(i), 7, 50));
    std::vector<unsigned> f;
    AddRoof(v, f, 0, 0, 1);
    DrawMesh(v, f, 2.0, 0);
    EXPECT_EQ(record.batches.size(), 1u);
    EXPECT_EQ(record.updates, 1);
  }
}

TEST_F(CartoonLinesTest, NothingIsDrawnInATinyViewportOrFromAPointAtTheCamera) {
  MakeView(64, 64, 1);
  std::vector<D3DRMVERTEX> v;
  std::vector<unsigned> f;
  AddRoof(v, f, 0, 0, 1);
  DrawMesh(v, f, 2.0, 2.0);
  EXPECT_EQ(record.batches.size(), 0u);
  EXPECT_EQ(record.updates, 0);

  MakeView(64, 64);
  v[1] = At(-1, 0, 0);  // one end of the line in the camera's plane
  DrawMesh(v, f, 2.0, 0, 0xFFFF0000, TRUE);
  ASSERT_EQ(record.batches.size(), 1u);
  for (const D3DTRIANGLE& t : record.batches[0].Triangles()) EXPECT_EQ(t.v1 | t.v2 | t.v3, 0) << "culled";
}

TEST_F(CartoonLinesTest, OneLineMakesFiveVerticesTwoTrianglesAndTheFixedInstructions) {
  MakeView(64, 64);
  std::vector<D3DRMVERTEX> v;
  std::vector<unsigned> f;
  AddRoof(v, f, 0, 0, 1);
  DrawMesh(v, f, 2.0, 0, 0xFF112233);
  ASSERT_EQ(record.batches.size(), 1u);
  EXPECT_EQ(record.updates, 1);
  const ExecutedBatch& batch = record.batches[0];
  const DWORD size = kSilhouetteBufferSize;
  ASSERT_EQ(batch.bytes.size(), size);

  // Ends (1, 0, 3) and (-1, 0, 3) land on row 32; the band lies below, away from the face.
  const float depth = static_cast<float>(10.0 / 9.0 - 10.0 / 9.0 / 3.0) - 3.06e-05f;
  const float left = static_cast<float>(32.0 / 3.0 * -1.0 + 32.0), right = static_cast<float>(32.0 / 3.0 + 32.0);
  const D3DTLVERTEX p{right, 32, depth, static_cast<float>(1.0 / 3.0), 0xFF112233, 0, 0, 0};
  D3DTLVERTEX q = p, guard = p, p2 = p, q2 = p;
  q.sx = q2.sx = left;
  guard.sx = guard.sy = 0;
  guard.sz = 2.0f;
  p2.sy = q2.sy = 34;
  std::vector<BYTE> expected(size, 0);
  const D3DTLVERTEX vertices[5] = {guard, p, q, p2, q2};
  std::memcpy(expected.data(), vertices, sizeof vertices);
  Put(expected, 160, D3DINSTRUCTION{D3DOP_PROCESSVERTICES, 16, 1});
  Put(expected, 164, D3DPROCESSVERTICES{D3DPROCESSVERTICES_COPY, 0, 0, 5, 0});
  Put(expected, 180, D3DINSTRUCTION{D3DOP_STATERENDER, 8, 4});
  Put(expected, 184, D3DSTATE{D3DRENDERSTATE_SHADEMODE, {D3DSHADE_FLAT}});
  Put(expected, 192, D3DSTATE{D3DRENDERSTATE_FILLMODE, {D3DFILL_SOLID}});
  Put(expected, 200, D3DSTATE{D3DRENDERSTATE_TEXTUREHANDLE, {0}});
  Put(expected, 208, D3DSTATE{D3DRENDERSTATE_ALPHABLENDENABLE, {FALSE}});
  Put(expected, 216, D3DINSTRUCTION{D3DOP_BRANCHFORWARD, 16, 1});
  Put(expected, 220, D3DBRANCH{0, 0, FALSE, size - 24 - 216});
  Put(expected, size - 24, D3DINSTRUCTION{D3DOP_TRIANGLE, 8, 2});
  Put(expected, size - 20, D3DTRIANGLE{4, 2, 3, 0x700});  // made second
  Put(expected, size - 12, D3DTRIANGLE{3, 2, 1, 0x700});  // made first
  Put(expected, size - 4, D3DINSTRUCTION{D3DOP_EXIT, 0, 0});
  for (std::size_t at = 0; at < size; ++at)
    if (batch.bytes[at] != expected[at]) {
      ADD_FAILURE() << "first difference at byte " << at;
      break;
    }
  EXPECT_EQ(batch.data.dwSize, 48u);
  EXPECT_EQ(batch.data.dwVertexOffset, 0u);
  EXPECT_EQ(batch.data.dwVertexCount, 5u);
  EXPECT_EQ(batch.data.dwInstructionOffset, 160u);
  EXPECT_EQ(batch.data.dwInstructionLength, size - 160);
}

TEST(CartoonCulling, TrianglesLeavingTheRectangleBecomePointsAtTheGuard) {
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  // Vertex 0 is the guard; the rectangle is 0..9 x 0..9.
  const float xy[][2] = {{0, 0}, {5, 5}, {6, 5}, {5, 6}, {-0.5f, 5}, {9.9f, 5}, {5, 9.9f}, {10, 5},
                         {5, 10}, {nan, 5}, {5, inf}, {-inf, 5}, {0, 0}};
  D3DTLVERTEX v[std::size(xy)] = {};
  for (std::size_t i = 0; i < std::size(xy); ++i) v[i].sx = xy[i][0], v[i].sy = xy[i][1];
  D3DTRIANGLE t[] = {{1, 2, 3, 0x700}, {1, 2, 4, 0x700}, {1, 5, 6, 0x700}, {1, 2, 7, 0x700}, {1, 8, 3, 0x700},
                     {9, 2, 3, 0x700}, {1, 10, 3, 0x700}, {1, 11, 3, 0x700}, {12, 1, 2, 0x700}};
  CullTrianglesOutsideViewport(v, v + std::size(v), t + std::size(t), t, 0, 0, 9, 9);
  const bool kept[] = {true, false, true, false, false, false, false, false, true};
  for (std::size_t i = 0; i < std::size(t); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(t[i].wFlags, 0x700);
    EXPECT_EQ(t[i].v1 == 0 && t[i].v2 == 0 && t[i].v3 == 0, !kept[i]);
  }
}

}  // namespace
