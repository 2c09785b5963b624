// Execute buffers: the cartoon lines' layout depth-tested, kept by Render where nearer and inside the
// viewport whatever the vertices hold; damaged buffers refused.
#include <cstring>
#include <limits>

#include "platform/d3drm/RenderTestSupport.h"

namespace {

D3DTLVERTEX At(float sx, float sy, float sz, D3DCOLOR colour) { return {sx, sy, sz, 1.0f, colour, 0, 0, 0}; }

template <class Record>
void Put(BYTE* at, const Record& record) {
  std::memcpy(at, &record, sizeof record);
}

class ExecuteBufferTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    MakeView(32, 32);
    ASSERT_EQ(device->GetDirect3DDevice(direct3D.put()), D3DRM_OK);
  }

  void TearDown() override {
    direct3D.reset();
    RenderTest::TearDown();
  }

  ComPtr<IDirect3DExecuteBuffer> NewBuffer(DWORD size, D3DEXECUTEBUFFERDESC* locked) {
    D3DEXECUTEBUFFERDESC desc{kD3DExecuteBufferDescSize, D3DDEB_BUFSIZE, 0, size, nullptr};
    ComPtr<IDirect3DExecuteBuffer> buffer;
    EXPECT_EQ(direct3D->CreateExecuteBuffer(&desc, buffer.put(), nullptr), D3D_OK);
    *locked = {kD3DExecuteBufferDescSize, 0, 0, 0, nullptr};
    EXPECT_EQ(buffer->Lock(locked), D3D_OK);
    EXPECT_EQ(locked->dwBufferSize, size);
    return buffer;
  }

  HRESULT Run(IDirect3DExecuteBuffer* buffer, IDirect3DRMViewport* on) {
    ComPtr<IDirect3DViewport> view;
    EXPECT_EQ(on->GetDirect3DViewport(view.put()), D3DRM_OK);
    return direct3D->Execute(buffer, view.get(), D3DEXECUTE_UNCLIPPED);
  }

  // The cartoon lines' layout: a guard vertex (vertex 1 at the viewport's corner, behind the back
  // plane), the vertices, PROCESSVERTICES, STATERENDER with four states, BRANCHFORWARD to the
  // triangles written backwards from the end (the first made is the last), EXIT in the last 4 bytes.
  HRESULT DrawBatch(const std::vector<D3DTLVERTEX>& vertices, const std::vector<D3DTRIANGLE>& made,
                    IDirect3DRMViewport* on = nullptr) {
    on = on ? on : viewport.get();
    D3DEXECUTEBUFFERDESC desc;
    auto buffer = NewBuffer(0xFFF8, &desc);
    BYTE* data = static_cast<BYTE*>(desc.lpData);
    const DWORD end = desc.dwBufferSize;
    Put(data + end - 4, D3DINSTRUCTION{D3DOP_EXIT, 0, 0});
    const DWORD count = static_cast<DWORD>(vertices.size()) + 1;
    D3DTLVERTEX guard = vertices.front();
    guard.sx = static_cast<float>(on->GetX());
    guard.sy = static_cast<float>(on->GetY());
    guard.sz = 2.0f;
    Put(data, guard);
    for (DWORD i = 1; i < count; ++i) Put(data + 32 * i, vertices[i - 1]);
    DWORD first = end - 4;
    for (const D3DTRIANGLE& triangle : made) Put(data + (first -= 8), triangle);
    const DWORD triangleInstruction = first - 4;
    Put(data + triangleInstruction, D3DINSTRUCTION{D3DOP_TRIANGLE, 8, static_cast<WORD>(made.size())});
    DWORD at = 32 * count;
    Put(data + at, D3DINSTRUCTION{D3DOP_PROCESSVERTICES, 16, 1});
    Put(data + at + 4, D3DPROCESSVERTICES{D3DPROCESSVERTICES_COPY, 0, 0, count, 0});
    Put(data + at + 20, D3DINSTRUCTION{D3DOP_STATERENDER, 8, 4});
    const D3DSTATE states[4] = {{D3DRENDERSTATE_SHADEMODE, {D3DSHADE_FLAT}},
                                {D3DRENDERSTATE_FILLMODE, {D3DFILL_SOLID}},
                                {D3DRENDERSTATE_TEXTUREHANDLE, {0}}, {D3DRENDERSTATE_ALPHABLENDENABLE, {FALSE}}};
    for (int i = 0; i < 4; ++i) Put(data + at + 24 + 8 * i, states[i]);
    at += 56;
    Put(data + at, D3DINSTRUCTION{D3DOP_BRANCHFORWARD, 16, 1});
    Put(data + at + 4, D3DBRANCH{0, 0, FALSE, triangleInstruction - at});
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    D3DEXECUTEDATA executeData{48, 0, count, 32 * count, end - 32 * count, 0, {}};
    EXPECT_EQ(buffer->SetExecuteData(&executeData), D3D_OK);
    return Run(buffer.get(), on);
  }

  // Rows 13-14 at depth 0.3 in yellow and 16-17 at 0.8 in cyan, two triangles each; one culled triangle.
  HRESULT DrawBands() {
    const D3DCOLOR yellow = 0xFFFFFF00, cyan = 0xFF00FFFF;
    return DrawBatch({At(4, 13, 0.3f, yellow), At(28, 13, 0.3f, yellow), At(28, 15, 0.3f, yellow),
                      At(4, 15, 0.3f, yellow), At(4, 16, 0.8f, cyan), At(28, 16, 0.8f, cyan), At(28, 18, 0.8f, cyan),
                      At(4, 18, 0.8f, cyan)},
                     {{1, 2, 3, 0x700}, {1, 3, 4, 0x700}, {0, 0, 0, 0x700}, {5, 6, 7, 0x700}, {5, 7, 8, 0x700}});
  }

  ComPtr<IDirect3DDevice> direct3D;
};

TEST_F(ExecuteBufferTest, CartoonBatchesAreDepthTestedAndRenderKeepsThemWhereNearer) {
  auto square = Square(2.0f, 0.5f, 0xFFFF0000);  // depth 0.56, pixels 12 to 19
  Show(square.get());
  for (bool linesFirst : {true, false}) {  // Clear, lines, Render as a camera window draws; or lines last
    SCOPED_TRACE(linesFirst);
    ASSERT_EQ(viewport->Clear(), D3DRM_OK);
    EXPECT_EQ(linesFirst ? DrawBands() : D3D_OK, D3D_OK);
    ASSERT_EQ(viewport->Render(scene.get()), D3DRM_OK);
    EXPECT_EQ(linesFirst ? D3D_OK : DrawBands(), D3D_OK);
    // The near band over the square, the far one hidden; no right edge, nothing from the culled triangle.
    ExpectPixels({{15, 13, 0xFFFF00}, {6, 14, 0xFFFF00}, {15, 16, 0xFF0000}, {6, 17, 0x00FFFF},
                  {28, 13, kBackground & 0xFFFFFF}, {0, 0, kBackground & 0xFFFFFF}});
    EXPECT_EQ(Depth(15, 13), 19660) << "trunc(65535 x 0.3)";
    EXPECT_EQ(Depth(15, 16), ExpectedDepth(2.0));
  }
}

// Vertices far outside, infinite or undefined: nothing lands outside the viewport's rectangle.
TEST_F(ExecuteBufferTest, TrianglesReachingOutsideTheViewportWriteNothingOutsideIt) {
  auto inner = Make<IDirect3DRMViewport>([&](IDirect3DRMViewport** v) {
    return rm->CreateViewport(device.get(), camera.get(), 8, 8, 16, 16, v);
  });
  const float huge = 1e30f, inf = std::numeric_limits<float>::infinity(),
              nan = std::numeric_limits<float>::quiet_NaN();
  const D3DCOLOR white = 0xFFFFFFFF;
  for (IDirect3DRMViewport* on : {inner.get(), viewport.get()}) {
    ASSERT_EQ(viewport->Clear(), D3DRM_OK);
    ASSERT_EQ(DrawBatch({At(-huge, -huge, 0.5f, white), At(huge, -huge, 0.5f, white), At(0, huge, 0.5f, white),
                         At(nan, 4, 0.1f, 0xFF000000), At(30, 4, 0.1f, 0xFF000000), At(4, 30, 0.1f, 0xFF000000),
                         At(-inf, 0, 0.1f, 0xFF000000), At(4, inf, 0.1f, 0xFF000000), At(30, 30, -inf, 0xFF000000)},
                        {{1, 2, 3, 0x700}, {4, 5, 6, 0x700}, {7, 8, 9, 0x700}, {5, 6, 9, 0x700}}, on),
              D3D_OK);
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool inside = on == viewport.get() || (x >= 8 && x < 24 && y >= 8 && y < 24);
        wrong += Pixel(x, y) != (inside ? 0xFFFFFFu : kBackground & 0xFFFFFF);
        wrong += Depth(x, y) != (inside ? 32767 : 0xFFFF);
      }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(ExecuteBufferTest, DamagedOrMisusedBuffersAreRefused) {
  D3DEXECUTEBUFFERDESC noSize{kD3DExecuteBufferDescSize, 0, 0, 64, nullptr};
  D3DEXECUTEBUFFERDESC empty{kD3DExecuteBufferDescSize, D3DDEB_BUFSIZE, 0, 0, nullptr};
  IDirect3DExecuteBuffer* none = nullptr;
  EXPECT_EQ(direct3D->CreateExecuteBuffer(&noSize, &none, nullptr), DDERR_INVALIDPARAMS) << "no size flag";
  EXPECT_EQ(direct3D->CreateExecuteBuffer(&empty, &none, nullptr), DDERR_INVALIDPARAMS) << "size 0";
  EXPECT_EQ(none, nullptr);

  D3DEXECUTEBUFFERDESC locked;
  auto buffer = NewBuffer(64, &locked);
  BYTE* data = static_cast<BYTE*>(locked.lpData);
  EXPECT_EQ(buffer->Lock(&locked), D3DERR_EXECUTE_LOCKED);
  EXPECT_EQ(Run(buffer.get(), viewport.get()), D3DERR_EXECUTE_LOCKED);
  ASSERT_EQ(buffer->Unlock(), D3D_OK);
  EXPECT_EQ(buffer->Unlock(), D3DERR_EXECUTE_NOT_LOCKED);
  EXPECT_EQ(Run(buffer.get(), viewport.get()), D3DERR_EXECUTE_FAILED) << "no execute data";

  // One vertex at 0..32, instructions from 32 to 64.
  D3DEXECUTEDATA executeData{48, 0, 1, 32, 32, 0, {}};
  const auto runWith = [&](D3DINSTRUCTION instruction, const auto& record) {
    std::memset(data + 32, 0, 32);
    Put(data + 32, instruction);
    Put(data + 36, record);
    Put(data + 36 + sizeof record, D3DINSTRUCTION{D3DOP_EXIT, 0, 0});
    EXPECT_EQ(buffer->SetExecuteData(&executeData), D3D_OK);
    return Run(buffer.get(), viewport.get());
  };
  const D3DTRIANGLE unprocessed{0, 0, 0, 0};
  ASSERT_EQ(viewport->Clear(), D3DRM_OK);
  EXPECT_EQ(runWith({D3DOP_TRIANGLE, 8, 1}, unprocessed), D3D_OK) << "a triangle of unprocessed vertices is skipped";
  EXPECT_EQ(runWith({D3DOP_TRIANGLE, 8, 4}, unprocessed), D3DERR_EXECUTE_FAILED) << "records past the range";
  EXPECT_EQ(runWith({D3DOP_TRIANGLE, 4, 1}, unprocessed), D3DERR_EXECUTE_FAILED) << "records too small";
  EXPECT_EQ(runWith({D3DOP_PROCESSVERTICES, 16, 1}, D3DPROCESSVERTICES{D3DPROCESSVERTICES_COPY, 0, 0, 2, 0}),
            D3DERR_EXECUTE_FAILED)
      << "more vertices than the buffer holds";
  EXPECT_EQ(runWith({D3DOP_STATERENDER, 8, 1}, D3DSTATE{D3DRENDERSTATE_SHADEMODE, {2}}), DDERR_UNSUPPORTED);
  EXPECT_EQ(runWith({42, 0, 0}, 0), DDERR_UNSUPPORTED);
  EXPECT_EQ(runWith({D3DOP_BRANCHFORWARD, 16, 1}, D3DBRANCH{0, 0, FALSE, 64}), D3DERR_EXECUTE_FAILED)
      << "a branch out of the range";
  executeData.dwInstructionLength = 33;
  EXPECT_EQ(runWith({D3DOP_EXIT, 0, 0}, 0), D3DERR_EXECUTE_FAILED) << "instructions past the buffer";
  EXPECT_EQ(Pixel(0, 0), kBackground & 0xFFFFFF);

  auto otherSurface = MakeSurface(8, 8, DDFormat::XRGB8888);
  auto otherDevice = Make<IDirect3DRMDevice>(
      [&](IDirect3DRMDevice** d) { return rm->CreateDeviceFromSurface(nullptr, dd.get(), otherSurface.get(), d); });
  auto otherViewport = Make<IDirect3DRMViewport>([&](IDirect3DRMViewport** v) {
    return rm->CreateViewport(otherDevice.get(), camera.get(), 0, 0, 8, 8, v);
  });
  EXPECT_EQ(Run(buffer.get(), otherViewport.get()), DDERR_INVALIDPARAMS) << "a viewport of another device";
}

}  // namespace
