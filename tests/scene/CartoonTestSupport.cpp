#include "scene/CartoonTestSupport.h"

#include <algorithm>
#include <cstring>

#include "platform/d3drm/ExecuteBuffer.h"
#include "platform/win/ComObject.h"
#include "scene/CartoonEdges.h"

namespace {

class RecordingD3DDevice final : public ComObject<IDirect3DDevice> {
 public:
  RecordingD3DDevice(IDirect3DDevice* real, CartoonRecord* record) : real_(real), record_(record) {}
  HRESULT QueryInterface(REFIID riid, void** object) override { return Answer(riid, object, false); }
  HRESULT CreateExecuteBuffer(LPD3DEXECUTEBUFFERDESC desc, LPDIRECT3DEXECUTEBUFFER* buffer, IUnknown* outer) override {
    return real_->CreateExecuteBuffer(desc, buffer, outer);
  }
  HRESULT Execute(LPDIRECT3DEXECUTEBUFFER buffer, LPDIRECT3DVIEWPORT viewport, DWORD flags) override {
    EXPECT_EQ(flags, D3DEXECUTE_UNCLIPPED);
    const d3drm::ExecuteBuffer* executed = d3drm::ExecuteBuffer::From(buffer);
    EXPECT_NE(executed->executeData(), nullptr);
    record_->batches.push_back({executed->memory(), *executed->executeData()});
    return real_->Execute(buffer, viewport, flags);
  }

 private:
  IUPtr<IDirect3DDevice> real_;
  CartoonRecord* record_;
};

// Passes the calls every retained-mode object has on to the real object.
template <class Interface>
class Forwarding : public ComObject<Interface> {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override { return this->Answer(riid, object, false); }
  HRESULT Clone(LPUNKNOWN, REFIID, LPVOID*) override { return E_NOTIMPL; }
  HRESULT SetAppData(DWORD_PTR data) override { return real_->SetAppData(data); }
  DWORD_PTR GetAppData() override { return real_->GetAppData(); }
  HRESULT SetName(LPCSTR name) override { return real_->SetName(name); }
  HRESULT GetName(DWORD* size, LPSTR name) override { return real_->GetName(size, name); }

 protected:
  Forwarding(Interface* real, CartoonRecord* record) : real_(real), record_(record) {}
  IUPtr<Interface> real_;
  CartoonRecord* record_;
};

class RecordingDevice final : public Forwarding<IDirect3DRMDevice> {
 public:
  RecordingDevice(IDirect3DRMDevice* real, CartoonRecord* record) : Forwarding(real, record) {}
  D3DRMRENDERQUALITY GetQuality() override { return real_->GetQuality(); }
  HRESULT SetQuality(D3DRMRENDERQUALITY quality) override { return real_->SetQuality(quality); }
  D3DRMTEXTUREQUALITY GetTextureQuality() override { return real_->GetTextureQuality(); }
  HRESULT SetTextureQuality(D3DRMTEXTUREQUALITY quality) override { return real_->SetTextureQuality(quality); }
  DWORD GetWidth() override { return real_->GetWidth(); }
  DWORD GetHeight() override { return real_->GetHeight(); }
  HRESULT GetDirect3DDevice(IDirect3DDevice** device) override {
    IUPtr<IDirect3DDevice> real;
    const HRESULT result = real_->GetDirect3DDevice(&real);
    *device = real ? new RecordingD3DDevice(real, record_) : nullptr;
    return result;
  }
};

class RecordingViewport final : public Forwarding<IDirect3DRMViewport> {
 public:
  RecordingViewport(IDirect3DRMViewport* real, CartoonRecord* record) : Forwarding(real, record) {}
  HRESULT Clear() override { return real_->Clear(); }
  HRESULT Render(IDirect3DRMFrame* frame) override { return real_->Render(frame); }
  HRESULT ForceUpdate(DWORD x1, DWORD y1, DWORD x2, DWORD y2) override {
    EXPECT_EQ(x1, DWORD(real_->GetX()));
    EXPECT_EQ(y1, DWORD(real_->GetY()));
    EXPECT_EQ(x2, real_->GetX() + real_->GetWidth());
    EXPECT_EQ(y2, real_->GetY() + real_->GetHeight());
    ++record_->updates;
    record_->batchesAtUpdate.push_back(static_cast<int>(record_->batches.size()));
    return real_->ForceUpdate(x1, y1, x2, y2);
  }
  HRESULT SetFront(D3DVALUE v) override { return real_->SetFront(v); }
  HRESULT SetBack(D3DVALUE v) override { return real_->SetBack(v); }
  HRESULT SetField(D3DVALUE v) override { return real_->SetField(v); }
  HRESULT SetProjection(D3DRMPROJECTIONTYPE type) override { return real_->SetProjection(type); }
  D3DVALUE GetFront() override { return real_->GetFront(); }
  D3DVALUE GetBack() override { return real_->GetBack(); }
  D3DVALUE GetField() override { return real_->GetField(); }
  D3DRMPROJECTIONTYPE GetProjection() override { return real_->GetProjection(); }
  LONG GetX() override { return real_->GetX(); }
  LONG GetY() override { return real_->GetY(); }
  DWORD GetWidth() override { return real_->GetWidth(); }
  DWORD GetHeight() override { return real_->GetHeight(); }
  HRESULT GetCamera(IDirect3DRMFrame** camera) override { return real_->GetCamera(camera); }
  HRESULT Transform(D3DRMVECTOR4D* result, D3DVECTOR* world) override { return real_->Transform(result, world); }
  HRESULT InverseTransform(D3DVECTOR* world, D3DRMVECTOR4D* screen) override {
    return real_->InverseTransform(world, screen);
  }
  HRESULT GetDirect3DViewport(IDirect3DViewport** viewport) override { return real_->GetDirect3DViewport(viewport); }
  HRESULT Pick(LONG x, LONG y, IDirect3DRMPickedArray** picked) override { return real_->Pick(x, y, picked); }
};

template <class T>
IUPtr<T> Adopt(T* fresh) {
  IUPtr<T> held(fresh);
  fresh->Release();
  return held;
}

}  // namespace

D3DTLVERTEX ExecutedBatch::Vertex(DWORD i) const {
  D3DTLVERTEX v;
  std::memcpy(&v, &bytes[i * sizeof v], sizeof v);
  return v;
}

std::vector<D3DTRIANGLE> ExecutedBatch::Triangles() const {
  // The branch after the vertices' PROCESSVERTICES and STATERENDER leads to the triangles.
  const std::size_t branch = data.dwInstructionOffset + 20 + 36;
  D3DBRANCH jump;
  std::memcpy(&jump, &bytes[branch + 4], sizeof jump);
  D3DINSTRUCTION header;
  std::memcpy(&header, &bytes[branch + jump.dwOffset], sizeof header);
  std::vector<D3DTRIANGLE> triangles(header.wCount);
  if (header.wCount) std::memcpy(triangles.data(), &bytes[branch + jump.dwOffset + 4], header.wCount * sizeof(D3DTRIANGLE));
  return triangles;
}

void CartoonRenderTest::TearDown() {
  recordingViewport = nullptr;
  recordingDevice = nullptr;
  RenderTest::TearDown();
}

void CartoonRenderTest::MakeView(DWORD width, DWORD height, DWORD viewWidth) {
  RenderTest::MakeView(width, height);
  ASSERT_EQ(device->SetQuality(D3DRMRENDER_FLAT), D3DRM_OK);
  ASSERT_EQ(scene->SetSceneBackground(0xFF000000), D3DRM_OK);
  if (viewWidth) {
    IDirect3DRMViewport** narrow = viewport.put();
    ASSERT_EQ(rm->CreateViewport(device.get(), camera.get(), 0, 0, viewWidth, height, narrow), D3DRM_OK);
    ASSERT_EQ(viewport->SetBack(10.0f), D3DRM_OK);
    ASSERT_EQ(viewport->SetField(1.0f), D3DRM_OK);
  }
  recordingDevice = Adopt<IDirect3DRMDevice>(new RecordingDevice(device.get(), &record));
  recordingViewport = Adopt<IDirect3DRMViewport>(new RecordingViewport(viewport.get(), &record));
}

CartoonProjection CartoonRenderTest::Projection() const {
  IDirect3DRMViewport* v = viewport.get();
  const double front = v->GetFront(), back = v->GetBack(), w = v->GetWidth(), h = v->GetHeight();
  const double a = back / (back - front);
  return {a, a * front, w * 0.5, h * 0.5, std::max(w * 0.5, h * 0.5) / v->GetField() * front};
}

void CartoonRenderTest::DrawMesh(const std::vector<D3DRMVERTEX>& vertices, const std::vector<unsigned>& faces,
                                 double silhouetteWidth, double surfaceWidth, D3DCOLOR colour, BOOL allInside) {
  const DWORD vCount = static_cast<DWORD>(vertices.size()), fCount = static_cast<DWORD>(faces.size() / 3);
  const CartoonEdgeData edges = BuildCartoonEdgeData({{vertices.data(), vCount, faces.data(), fCount, 0}});
  const Transform identity;
  const D3DVECTOR viewer{0, 0, 0}, direction{0, 0, 1};
  std::vector<DWORD> numbered(faces.begin(), faces.end());
  if (silhouetteWidth != 0)
    DrawCartoonLines(recordingDevice, recordingViewport, identity, identity, viewer, direction, vertices.data(),
                     numbered.data(), edges.faceNormals.data(), edges.weldMap.data(), edges.numShared, vCount, fCount,
                     silhouetteWidth, colour, allInside, Projection());
  if (surfaceWidth != 0)
    DrawCartoonQuads(recordingDevice, recordingViewport, identity, identity, viewer, direction, vertices.data(),
                     edges.faceNormals.data(), vCount, edges.surfEdges.data(), edges.surfEdgeFaces.data(),
                     edges.numEdges, surfaceWidth, colour, allInside, Projection());
}

std::vector<D3DRMVERTEX> CubeVertices(float h, D3DVECTOR centre) {
  std::vector<D3DRMVERTEX> vertices;
  for (int axis = 0; axis < 3; ++axis)
    for (float sign : {1.0f, -1.0f}) {
      const int u = (axis + 1) % 3, v = (axis + 2) % 3;
      for (auto [i, j] : {std::pair{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}}) {
        float p[3], n[3] = {0, 0, 0};
        p[axis] = sign * h;
        p[u] = i * h;
        p[v] = j * h;
        n[axis] = sign;
        vertices.push_back({{centre.x + p[0], centre.y + p[1], centre.z + p[2]}, {n[0], n[1], n[2]}, 0, 0, 0});
      }
    }
  return vertices;
}

std::vector<unsigned> CubeFaces() {
  std::vector<unsigned> faces;
  for (unsigned side = 0; side < 6; ++side) {
    const unsigned b = 4 * side;
    if (side % 2 == 0)
      faces.insert(faces.end(), {b, b + 1, b + 2, b, b + 2, b + 3});
    else
      faces.insert(faces.end(), {b, b + 2, b + 1, b, b + 3, b + 2});
  }
  return faces;
}
