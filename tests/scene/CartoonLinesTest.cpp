// Edge data, and the silhouette and surface lines of meshes seen from a known camera.
#include <algorithm>
#include <cmath>
#include <limits>
#include <cstdint>
#include <set>
#include <utility>

#include "scene/CartoonEdges.h"
#include "scene/CartoonExecute.h"
#include "scene/CartoonTestSupport.h"

namespace {

D3DRMVERTEX At(float x, float y, float z, D3DVECTOR n = {0, 0, 1}) { return {{x, y, z}, n, 0, 0, 0}; }

// Two faces meeting at the edge (x +- s, y, 3), one facing the camera: a silhouette line.
void AddRoof(std::vector<D3DRMVERTEX>& v, std::vector<unsigned>& f, float x, float y, float s) {
  const unsigned b = static_cast<unsigned>(v.size());
  v.insert(v.end(), {At(x + s, y, 3), At(x - s, y, 3), At(x, y + s, 3), At(x, y - s / 2, 3 + s)});
  f.insert(f.end(), {b, b + 1, b + 2, b, b + 1, b + 3});
}

CartoonEdgeData OneGroup(const std::vector<D3DRMVERTEX>& v, const std::vector<unsigned>& f) {
  return BuildCartoonEdgeData({{v.data(), static_cast<DWORD>(v.size()), f.data(), static_cast<DWORD>(f.size() / 3), 0}});
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

TEST(CartoonEdges, SeamsBecomeSurfaceEdgesAndWeldsJoinTheNewestEqualKeyKeepingASheetsSidesApart) {
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

  // Welded from the last vertex: an opposite normal stays apart, (0,1,0) joins the newer key.
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

using CartoonLinesTest = CartoonRenderTest;

constexpr std::uint32_t kRed = 0xFF0000, kYellow = 0xFFFF00;

// The cube of side 2 centred on (1.5, 1.5, 6): corner (bx, by, bz) is number bx + 2 by + 4 bz.
const D3DVECTOR kCubeCentre{1.5f, 1.5f, 6.0f};
Vector CubeCorner(int corner) { return {0.5 + 2 * (corner & 1), 0.5 + (corner & 2), 5.0 + (corner & 4) / 2}; }

// Each of the twelve edges is drawn, its band outside and not inside, exactly when on the outline.
TEST_F(CartoonLinesTest, ACubeIsOutlinedBySixEdgesSeenNearACornerAndByItsFrontSquareOrthographically) {
  MakeView(256, 256);
  DrawMesh(CubeVertices(1.0f, kCubeCentre), CubeFaces(), 2.0, 0);
  const auto screen = [](const Vector& p) { return Vector(128 + 128 * p.x / p.z, 128 - 128 * p.y / p.z, 0); };
  const std::set<std::pair<int, int>> outline{{1, 3}, {1, 5}, {2, 3}, {2, 6}, {4, 5}, {4, 6}};
  const Vector centre = screen(Vector(kCubeCentre.x, kCubeCentre.y, kCubeCentre.z));
  for (int a = 0; a < 8; ++a)
    for (int bit : {1, 2, 4}) {
      if (a & bit) continue;
      const Vector p = CubeCorner(a), q = CubeCorner(a | bit);
      const Vector mid = screen(Vector((p.x + q.x) / 2, (p.y + q.y) / 2, (p.z + q.z) / 2));
      Vector out(mid.x - centre.x, mid.y - centre.y, 0);
      out.Normalize();
      SCOPED_TRACE(testing::Message() << "edge " << a << "-" << (a | bit));
      if (outline.count({a, a | bit})) {
        EXPECT_TRUE(Shows(mid.x + out.x, mid.y + out.y, kRed));
      } else {
        EXPECT_FALSE(Shows(mid.x, mid.y, kRed));
      }
      EXPECT_FALSE(Shows(mid.x - 1.5 * out.x, mid.y - 1.5 * out.y, kRed)) << "a band inside";
    }

  // Seen along the view direction the sides are edge-on.
  MakeView(256, 256);
  ASSERT_EQ(viewport->SetProjection(D3DRMPROJECT_ORTHOGRAPHIC), D3DRM_OK);
  ASSERT_EQ(viewport->SetField(4.0f), D3DRM_OK);
  DrawMesh(CubeVertices(1.0f, kCubeCentre), CubeFaces(), 2.0, 0);
  const auto flat = [&](const Vector& p) {
    D3DVECTOR world = p.ToD3DVECTOR();
    D3DRMVECTOR4D at{};
    EXPECT_EQ(viewport->Transform(&at, &world), D3DRM_OK);
    return Vector(at.x / at.w, at.y / at.w, 0);
  };
  const Vector front = flat(Vector(kCubeCentre.x, kCubeCentre.y, 5));
  EXPECT_FALSE(Shows(front.x, front.y, kRed));
  for (auto [a, b] : {std::pair{0, 1}, {0, 2}, {1, 3}, {2, 3}}) {
    const Vector p = CubeCorner(a), q = CubeCorner(b), m = flat(Vector((p.x + q.x) / 2, (p.y + q.y) / 2, 5));
    Vector out(m.x - front.x, m.y - front.y, 0);
    out.Normalize();
    EXPECT_TRUE(Shows(m.x + out.x, m.y + out.y, kRed)) << a << "-" << b;
  }
}

TEST_F(CartoonLinesTest, ThousandSilhouetteLinesAndTwoHundredFiftySurfaceEdgesInSeveralRunsAreAllDrawn) {
  MakeView(640, 480);
  std::vector<D3DRMVERTEX> v;
  std::vector<unsigned> f;
  for (int i = 0; i < 1000; ++i) AddRoof(v, f, -1.0f + 0.05f * (i % 40), -0.6f + 0.05f * (i / 40), 0.02f);
  DrawMesh(v, f, 1.0, 0);
  // Each line's band of one pixel lies below its middle.
  int drawn = 0;
  for (int i = 0; i < 1000; ++i) {
    const double x = 320 + 320 * (-1.0 + 0.05 * (i % 40)) / 3, y = 240 - 320 * (-0.6 + 0.05 * (i / 40)) / 3;
    drawn += Shows(x, y, kRed) || Shows(x, y + 1, kRed);
  }
  EXPECT_EQ(drawn, 1000);

  // 250 surface edges, each between two faces turned to the camera: a band on either side.
  ClearAndRender();
  v.clear();
  std::vector<DWORD> edges, faces;
  for (DWORD e = 0; e < 250; ++e) {
    const float x = -1.0f + 0.05f * (e % 40), y = -0.6f + 0.05f * (e / 40);
    v.insert(v.end(), {At(x, y, 3), At(x + 0.02f, y, 3), At(x, y + 0.02f, 3), At(x, y - 0.02f, 3)});
    edges.insert(edges.end(), {4 * e, 4 * e + 1, 4 * e + 2, 4 * e + 3});
    faces.insert(faces.end(), {2 * e, 2 * e + 1});
  }
  const std::vector<D3DVECTOR> normals(500, D3DVECTOR{0, 0, -1});
  const Transform identity;
  DrawCartoonQuads(device.get(), viewport.get(), identity, identity, {0, 0, 0}, {0, 0, 1}, v.data(), normals.data(),
                   1000, edges.data(), faces.data(), 250, 4.0, 0xFFFFFF00, FALSE, Projection());
  drawn = 0;
  for (DWORD e = 0; e < 250; ++e)
    drawn += Shows(320 + 320 * (v[4 * e].position.x + 0.01) / 3, 240 - 320 * v[4 * e].position.y / 3, kYellow);
  EXPECT_EQ(drawn, 250);
}

// A fan closed by faces through the camera: 2k lines among k + 2 welded vertices.
TEST_F(CartoonLinesTest, MoreSilhouetteLinesThanWeldedVerticesJoinAndAnEdgeOnFaceKeepsItsBandsDepth) {
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
  EXPECT_TRUE(Shows(32, 32, kRed)) << "the centre";
  // Each rim line's band, outside the middle of the line (6.09 pixels from the centre).
  for (unsigned i = 0; i < k; ++i) {
    const double angle = 2 * 3.14159265358979 * (i + 0.5) / k;
    EXPECT_TRUE(Shows(32 + 7.09 * std::cos(angle), 32 - 7.09 * std::sin(angle), kRed)) << "rim line " << i;
  }

  // Face A seen edge-on: the band keeps the edge's depth, in front of a square just behind it.
  Show(Square(3.6f, 2, 0xFF0000FF).get());
  ClearAndRender();
  const std::vector<D3DRMVERTEX> quad{At(0, 0, 3), At(0.5f, 0, 3.5f), At(1, 0, 4), At(0, -0.5f, 3)};
  const DWORD edge[4] = {0, 1, 2, 3}, faces[2] = {0, 1};
  const D3DVECTOR normals[2] = {{0, 0, -1}, {0, 1, 0}};
  const Transform identity;
  DrawCartoonQuads(device.get(), viewport.get(), identity, identity, {0, 0, 0}, {0, 0, 1}, quad.data(), normals, 4,
                   edge, faces, 1, 4.0, 0xFFFFFF00, FALSE, Projection());
  EXPECT_GT(Count(64, 64, kYellow), 0);
}

TEST_F(CartoonLinesTest, MeshesBeyondSixteenBitsATinyViewportAndAPointAtTheCameraAreSafe) {
  MakeView(64, 64);
  {
    SCOPED_TRACE("70,000 vertices welded to five: the edge keys stay exact");
    std::vector<D3DRMVERTEX> v(69996, At(5, 5, 50));
    std::vector<unsigned> f;
    AddRoof(v, f, 0, 0, 1);
    DrawMesh(v, f, 2.0, 0);
    EXPECT_TRUE(Shows(32, 33, kRed));
  }
  ClearAndRender();
  {
    SCOPED_TRACE("65,535 welded vertices and more: no silhouette");
    std::vector<D3DRMVERTEX> v;
    for (int i = 0; i < 65535; ++i) v.push_back(At(static_cast<float>(i), 7, 50));
    std::vector<unsigned> f;
    AddRoof(v, f, 0, 0, 1);
    DrawMesh(v, f, 2.0, 0);
    EXPECT_FALSE(Shows(32, 33, kRed));
  }
  // Nothing is drawn in a tiny viewport; a line with an end in the camera's plane is drawn up to
  // the front plane.
  MakeView(64, 64, 1);
  std::vector<D3DRMVERTEX> v;
  std::vector<unsigned> f;
  AddRoof(v, f, 0, 0, 1);
  DrawMesh(v, f, 2.0, 2.0);
  EXPECT_EQ(Count(64, 64, kRed), 0);

  MakeView(64, 64);
  v[1] = At(-1, 0, 0);
  DrawMesh(v, f, 2.0, 0, 0xFFFF0000, TRUE);
  // Cut where it crosses the front plane: from x 42.7 to 21.3 on row 32, its band below.
  EXPECT_EQ(Count(64, 64, kRed), 2 * 21);
  EXPECT_TRUE(Shows(22, 32, kRed) && Shows(42, 33, kRed));
  EXPECT_FALSE(Shows(21, 32, kRed) || Shows(43, 32, kRed));
}

// A box of 24 vertices between `low` and `high`, its faces turned outward, or inward (a room).
void Box(D3DVECTOR low, D3DVECTOR high, bool inward, std::vector<D3DRMVERTEX>& v, std::vector<unsigned>& f) {
  v = CubeVertices(1.0f);
  for (D3DRMVERTEX& corner : v) {
    D3DVECTOR& p = corner.position;
    p = {p.x < 0 ? low.x : high.x, p.y < 0 ? low.y : high.y, p.z < 0 ? low.z : high.z};
    if (inward) corner.normal = {-corner.normal.x, -corner.normal.y, -corner.normal.z};
  }
  f = CubeFaces();
  if (inward)
    for (std::size_t i = 0; i < f.size(); i += 3) std::swap(f[i + 1], f[i + 2]);
}

// Lines reaching behind the eye are cut at the front plane, where the surfaces are clipped; a
// projection of their far ends would mirror them across the picture.
TEST_F(CartoonLinesTest, LinesOfAPoleBesideTheEyeAndTheCreasesOfARoomAroundItStopAtTheFrontPlane) {
  const auto view = [&] {
    MakeView(256, 256);
    ASSERT_EQ(viewport->SetBack(5000.0f), D3DRM_OK);  // front 1 and field 1: S = 128
  };
  // How many pixels of `rgb` lie outside [low, high) in x and y, and how many in all.
  const auto countOutside = [&](std::uint32_t rgb, double lowX, double highX, double lowY, double highY) {
    std::pair<int, int> counts{0, 0};
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        if (Pixel(x, y) != rgb) continue;
        ++counts.second;
        counts.first += x < lowX || x >= highX || y < lowY || y >= highY;
      }
    return counts;
  };
  std::vector<D3DRMVERTEX> v;
  std::vector<unsigned> f;
  // A pole along the line of sight from 5 in front of the eye to 5 behind it, beside the eye: its
  // part beyond the front plane covers x 134.4-172.8 and y 121.6-134.4; bands are 2 pixels wide.
  view();
  Box({0.25f, -0.05f, -5.0f}, {0.35f, 0.05f, 5.0f}, false, v, f);
  DrawMesh(v, f, 2.0, 0);
  const auto [strayLines, lines] = countOutside(kRed, 131.4, 176.8, 118.6, 138.4);
  EXPECT_EQ(strayLines, 0);
  EXPECT_GT(lines, 20) << "the outline of the pole's visible part";

  // Inside a room from 3 behind the eye to 3 in front: the creases along the walls leave the
  // picture; none crosses the far wall (x and y 85.3-170.7) beyond the bands at its edges.
  view();
  Box({-1, -1, -3}, {1, 1, 3}, true, v, f);
  DrawMesh(v, f, 0, 4.0, 0xFFFFFF00);
  const auto [outsideWall, creases] = countOutside(kYellow, 89.3, 166.7, 89.3, 166.7);
  EXPECT_EQ(creases - outsideWall, 0) << "a crease across the far wall";
  EXPECT_GT(creases, 100) << "the far wall's edges";
}

// The pole beside the eye pixel by pixel: its one face toward the eye (x = 0.25) shows from its
// far end at x 134.4 to the front plane at x 160, between the edges y = 128 -+ 0.2 (x - 128). Each
// band lies outside its edge, though the faces' far corners lie behind the eye: 2 pixels across,
// which for an edge of slope 0.2 is 2 sqrt(1.04) pixels tall.
TEST_F(CartoonLinesTest, ThePoleBesideTheEyeIsOutlinedOutsideEachOfItsEdges) {
  MakeView(256, 256);
  ASSERT_EQ(viewport->SetBack(5000.0f), D3DRM_OK);
  std::vector<D3DRMVERTEX> v;
  std::vector<unsigned> f;
  Box({0.25f, -0.05f, -5.0f}, {0.35f, 0.05f, 5.0f}, false, v, f);
  DrawMesh(v, f, 2.0, 0);
  const double tall = 2 * std::sqrt(1.04);
  for (int x = 137; x <= 157; ++x) {
    const double top = 128 - 0.2 * (x - 128), bottom = 256 - top;
    if (top == std::round(top)) continue;  // pixel centres on the edges
    for (int y = 100; y < 156; ++y) {
      const bool band = (y > top - tall && y < top) || (y > bottom && y < bottom + tall);
      EXPECT_EQ(Shows(x, y, kRed), band) << x << ", " << y;
    }
  }
  // The far end's band: the two columns left of x 134.4.
  for (int y = 127; y <= 129; ++y)
    for (int x = 125; x < 137; ++x) EXPECT_EQ(Shows(x, y, kRed), x == 133 || x == 134) << x << ", " << y;
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

