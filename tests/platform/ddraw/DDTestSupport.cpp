#include "DDTestSupport.h"

DDSURFACEDESC DescFor(const SurfaceRequest& request) {
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.dwWidth = request.width;
  desc.dwHeight = request.height;
  desc.ddsCaps.dwCaps = request.caps;
  if (request.format) {
    desc.dwFlags |= DDSD_PIXELFORMAT;
    desc.ddpfPixelFormat = *request.format;
  }
  if (request.pitch) {
    desc.dwFlags |= DDSD_PITCH;
    desc.lPitch = request.pitch;
  }
  if (request.zDepth) {
    desc.dwFlags |= DDSD_ZBUFFERBITDEPTH;
    desc.dwZBufferBitDepth = request.zDepth;
  }
  return desc;
}

DDSURFACEDESC DescOf(IDirectDrawSurface* surface) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  EXPECT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
  return desc;
}

namespace {

// Calls `visit` with the address of every pixel of a locked surface, rows from the top.
void VisitPixels(IDirectDrawSurface* surface, DWORD flags, const std::function<void(BYTE*, DWORD, DWORD)>& visit) {
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  ASSERT_EQ(surface->Lock(nullptr, &desc, flags | DDLOCK_WAIT, nullptr), DD_OK);
  const DWORD bytes = DDBytesPerPixel(desc.ddpfPixelFormat);
  for (DWORD y = 0; y < desc.dwHeight; ++y)
    for (DWORD x = 0; x < desc.dwWidth; ++x) visit(DDFirstRow(desc) + y * desc.lPitch + x * bytes, x, y);
  ASSERT_EQ(surface->Unlock(desc.lpSurface), DD_OK);
}

}  // namespace

std::vector<BYTE> ReadPixels(IDirectDrawSurface* surface) {
  const DWORD bytes = DDBytesPerPixel(DescOf(surface).ddpfPixelFormat);
  std::vector<BYTE> pixels;
  VisitPixels(surface, DDLOCK_READONLY, [&](BYTE* pixel, DWORD, DWORD) { pixels.insert(pixels.end(), pixel, pixel + bytes); });
  return pixels;
}

void WritePixels(IDirectDrawSurface* surface, const std::function<BYTE(DWORD, DWORD, DWORD)>& value) {
  const DWORD bytes = DDBytesPerPixel(DescOf(surface).ddpfPixelFormat);
  VisitPixels(surface, DDLOCK_WRITEONLY, [&](BYTE* pixel, DWORD x, DWORD y) {
    for (DWORD b = 0; b < bytes; ++b) pixel[b] = value(x, y, b);
  });
}

void DirectDrawTest::SetUp() {
  DDClearFaults();
  ASSERT_TRUE(DDSetDisplayMode(32, 64, 48));
  ASSERT_EQ(DDLiveObjectCount(), 0);
  ASSERT_EQ(DirectDrawCreate(nullptr, &dd_, nullptr), DD_OK);
}

void DirectDrawTest::TearDown() {
  DDSetPrimaryBltHook(nullptr);
  DDSetInterfaceExtension(nullptr);
  DDClearFaults();
  if (dd_) dd_->Release();
  EXPECT_EQ(DDLiveObjectCount(), 0) << "a test left objects alive";
}

Ref<IDirectDrawSurface> DirectDrawTest::Make(const SurfaceRequest& request) {
  DDSURFACEDESC desc = DescFor(request);
  IDirectDrawSurface* surface = nullptr;
  EXPECT_EQ(dd_->CreateSurface(&desc, &surface, nullptr), DD_OK);
  return Ref<IDirectDrawSurface>(surface);
}

HRESULT DirectDrawTest::TryMake(const SurfaceRequest& request) {
  DDSURFACEDESC desc = DescFor(request);
  IDirectDrawSurface* surface = reinterpret_cast<IDirectDrawSurface*>(&desc);  // must be overwritten
  const HRESULT result = dd_->CreateSurface(&desc, &surface, nullptr);
  EXPECT_EQ(surface == nullptr, FAILED(result));
  if (surface) surface->Release();
  return result;
}

Ref<IDirectDrawSurface> DirectDrawTest::MakePrimary() {
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  IDirectDrawSurface* surface = nullptr;
  EXPECT_EQ(dd_->CreateSurface(&desc, &surface, nullptr), DD_OK);
  return Ref<IDirectDrawSurface>(surface);
}
