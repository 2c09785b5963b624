// The execute buffer of a batch of cartoon bands, byte for byte, and the culling of triangles that
// leave the viewport.
#include <cstring>
#include <limits>

#include "scene/CartoonExecute.h"
#include "scene/CartoonTestSupport.h"

namespace {

template <class Record>
void Put(std::vector<BYTE>& bytes, std::size_t at, const Record& record) {
  std::memcpy(&bytes[at], &record, sizeof record);
}

// Two faces meeting at the edge from (1, 0, 3) to (-1, 0, 3): one faces the camera, the other
// folds away behind it, so the edge is the only silhouette line.
std::vector<D3DRMVERTEX> Roof(float x = 0, float y = 0, float s = 1) {
  return {{{x + s, y, 3}, {}, 0, 0, 0},
          {{x - s, y, 3}, {}, 0, 0, 0},
          {{x, y + s, 3}, {}, 0, 0, 0},
          {{x, y - s / 2, 3 + s}, {}, 0, 0, 0}};
}

using CartoonExecuteTest = CartoonRenderTest;

TEST_F(CartoonExecuteTest, OneLineMakesFiveVerticesTwoTrianglesAndTheFixedInstructions) {
  MakeView(64, 64);
  DrawMesh(Roof(), {0, 1, 2, 0, 1, 3}, 2.0, 0, 0xFF112233);
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
