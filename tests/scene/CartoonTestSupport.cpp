#include "scene/CartoonTestSupport.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/win/ComObject.h"
#include "scene/CartoonEdges.h"

namespace {

class RecordingBuffer final : public ComObject<IDirect3DExecuteBuffer> {
 public:
  RecordingBuffer(IDirect3DExecuteBuffer* real, ExecutedBatch* batch) : real_(real), batch_(batch) {}
  IDirect3DExecuteBuffer* Real() const { return real_; }
  HRESULT QueryInterface(REFIID riid, void** object) override { return Answer(riid, object, false); }
  HRESULT Lock(LPD3DEXECUTEBUFFERDESC desc) override {
    const HRESULT result = real_->Lock(desc);
    data_ = static_cast<BYTE*>(desc->lpData);
    size_ = desc->dwBufferSize;
    return result;
  }
  HRESULT Unlock() override {
    batch_->bytes.assign(data_, data_ + size_);
    return real_->Unlock();
  }
  HRESULT SetExecuteData(LPD3DEXECUTEDATA data) override {
    batch_->data = *data;
    return real_->SetExecuteData(data);
  }

 private:
  IUPtr<IDirect3DExecuteBuffer> real_;
  ExecutedBatch* batch_;
  BYTE* data_ = nullptr;
  DWORD size_ = 0;
};

class RecordingD3DDevice final : public ComObject<IDirect3DDevice> {
 public:
  RecordingD3DDevice(IDirect3DDevice* real, CartoonRecord* record) : real_(real), record_(record) {}
  HRESULT QueryInterface(REFIID riid, void** object) override { return Answer(riid, object, false); }
  HRESULT CreateExecuteBuffer(LPD3DEXECUTEBUFFERDESC desc, LPDIRECT3DEXECUTEBUFFER* buffer, IUnknown* outer) override {
    IUPtr<IDirect3DExecuteBuffer> real;
    const HRESULT result = real_->CreateExecuteBuffer(desc, &real, outer);
    pending_ = std::make_unique<ExecutedBatch>();
    *buffer = real ? new RecordingBuffer(real, pending_.get()) : nullptr;
    return result;
  }
  HRESULT Execute(LPDIRECT3DEXECUTEBUFFER buffer, LPDIRECT3DVIEWPORT viewport, DWORD flags) override {
    EXPECT_EQ(flags, D3DEXECUTE_UNCLIPPED);
    record_->batches.push_back(*pending_);
    return real_->Execute(static_cast<RecordingBuffer*>(buffer)->Real(), viewport, flags);
  }

 private:
  IUPtr<IDirect3DDevice> real_;
  CartoonRecord* record_;
  std::unique_ptr<ExecutedBatch> pending_;
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
  shown.clear();
  recordingViewport = nullptr;
  recordingDevice = nullptr;
  viewport = nullptr;
  camera = nullptr;
  scene = nullptr;
  device = nullptr;
  surface = nullptr;
  rm = nullptr;
  dd = nullptr;
}

void CartoonRenderTest::MakeView(DWORD width, DWORD height, DWORD viewX, DWORD viewY, DWORD viewWidth,
                                 DWORD viewHeight, IDirect3DRM* root) {
  ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
  if (root)
    rm = root;
  else
    ASSERT_EQ(Direct3DRMCreate(&rm), D3DRM_OK);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.dwWidth = width;
  desc.dwHeight = height;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
  desc.ddpfPixelFormat = DDMakePixelFormat(DDFormat::XRGB8888);
  ASSERT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
  ASSERT_EQ(rm->CreateDeviceFromSurface(nullptr, dd, surface, &device), D3DRM_OK);
  ASSERT_EQ(device->SetQuality(D3DRMRENDER_FLAT), D3DRM_OK);
  ASSERT_EQ(rm->CreateFrame(nullptr, &scene), D3DRM_OK);
  ASSERT_EQ(rm->CreateFrame(scene, &camera), D3DRM_OK);
  ASSERT_EQ(scene->SetSceneBackground(0xFF000000), D3DRM_OK);
  ASSERT_EQ(rm->CreateViewport(device, camera, viewX, viewY, viewWidth ? viewWidth : width,
                               viewHeight ? viewHeight : height, &viewport),
            D3DRM_OK);
  ASSERT_EQ(viewport->SetBack(10.0f), D3DRM_OK);
  ASSERT_EQ(viewport->SetField(1.0f), D3DRM_OK);
  recordingDevice = Adopt<IDirect3DRMDevice>(new RecordingDevice(device, &record));
  recordingViewport = Adopt<IDirect3DRMViewport>(new RecordingViewport(viewport, &record));
}

CartoonProjection CartoonRenderTest::Projection() const {
  IDirect3DRMViewport* v = viewport;
  const double front = v->GetFront(), back = v->GetBack(), w = v->GetWidth(), h = v->GetHeight();
  const double a = back / (back - front);
  return {a, a * front, w * 0.5, h * 0.5, std::max(w * 0.5, h * 0.5) / v->GetField() * front};
}

void CartoonRenderTest::Show(const std::vector<D3DRMVERTEX>& vertices, const std::vector<unsigned>& faces,
                             D3DCOLOR colour) {
  IUPtr<IDirect3DRMMesh> mesh;
  ASSERT_EQ(rm->CreateMesh(&mesh), D3DRM_OK);
  D3DRMGROUPINDEX group = 0;
  ASSERT_EQ(mesh->AddGroup(static_cast<unsigned>(vertices.size()), static_cast<unsigned>(faces.size() / 3), 3,
                           faces.data(), &group),
            D3DRM_OK);
  std::vector<D3DRMVERTEX> coloured = vertices;
  for (D3DRMVERTEX& v : coloured) v.color = colour;
  ASSERT_EQ(mesh->SetVertices(group, 0, static_cast<unsigned>(coloured.size()), coloured.data()), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupColor(group, colour), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupQuality(group, D3DRMRENDER_UNLITFLAT), D3DRM_OK);
  IUPtr<IDirect3DRMFrame> frame;
  ASSERT_EQ(rm->CreateFrame(scene, &frame), D3DRM_OK);
  ASSERT_EQ(frame->AddVisual(mesh), D3DRM_OK);
  shown.push_back(frame);
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

void CartoonRenderTest::ClearAndRender() {
  ASSERT_EQ(viewport->Clear(), D3DRM_OK);
  ASSERT_EQ(viewport->Render(scene), D3DRM_OK);
}

std::uint32_t CartoonRenderTest::Pixel(int x, int y) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  std::uint32_t value = 0;
  std::memcpy(&value, DDFirstRow(desc) + y * desc.lPitch + x * 4, 4);
  EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
  return value & 0xFFFFFF;
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
