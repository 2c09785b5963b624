#include "DDTestSupport.h"

DDSURFACEDESC DescOf(IDirectDrawSurface* surface) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  EXPECT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
  return desc;
}

std::vector<BYTE> Pixels(IDirectDrawSurface* surface, BYTE (*fill)(DWORD x, DWORD y)) {
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  std::vector<BYTE> pixels;
  EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  if (!desc.lpSurface) return pixels;
  const DWORD bytes = DDBytesPerPixel(desc.ddpfPixelFormat);
  for (DWORD y = 0; y < desc.dwHeight; ++y) {
    BYTE* row = DDFirstRow(desc) + y * desc.lPitch;
    for (DWORD x = 0; fill && x < desc.dwWidth; ++x) std::memset(row + x * bytes, fill(x, y), bytes);
    pixels.insert(pixels.end(), row, row + desc.dwWidth * bytes);
  }
  EXPECT_EQ(surface->Unlock(desc.lpSurface), DD_OK);
  return pixels;
}

void DirectDrawTest::SetUp() {
  DDClearFaults();
  ASSERT_TRUE(DDSetDisplayMode(32, 64, 48));
  ASSERT_EQ(DDLiveObjectCount(), 0);
  ASSERT_EQ(DirectDrawCreate(nullptr, dd_.put(), nullptr), DD_OK);
}

void DirectDrawTest::TearDown() {
  DDSetPrimaryBltHook(nullptr);
  DDSetInterfaceExtension(nullptr);
  DDClearFaults();
  dd_.reset();
  EXPECT_EQ(DDLiveObjectCount(), 0) << "a test left objects alive";
}

HRESULT DirectDrawTest::Create(DDSURFACEDESC desc, ComPtr<IDirectDrawSurface>* surface) {
  IDirectDrawSurface* made = reinterpret_cast<IDirectDrawSurface*>(&desc);  // a failure must clear it
  const HRESULT result = dd_->CreateSurface(&desc, &made, nullptr);
  EXPECT_EQ(made == nullptr, FAILED(result));
  *surface = ComPtr<IDirectDrawSurface>::adopt(made);
  return result;
}

HRESULT DirectDrawTest::TryMake(const SurfaceRequest& request, ComPtr<IDirectDrawSurface>* kept) {
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | (request.format ? DDSD_PIXELFORMAT : 0) |
                 (request.pitch ? DDSD_PITCH : 0) | (request.zDepth ? DDSD_ZBUFFERBITDEPTH : 0);
  desc.dwWidth = request.width;
  desc.dwHeight = request.height;
  desc.ddsCaps.dwCaps = request.caps;
  if (request.format) desc.ddpfPixelFormat = *request.format;
  desc.lPitch = request.pitch;
  desc.dwZBufferBitDepth = request.zDepth;
  ComPtr<IDirectDrawSurface> surface;
  return Create(desc, kept ? kept : &surface);
}

ComPtr<IDirectDrawSurface> DirectDrawTest::Make(const SurfaceRequest& request) {
  ComPtr<IDirectDrawSurface> surface;
  EXPECT_EQ(TryMake(request, &surface), DD_OK);
  return surface;
}

ComPtr<IDirectDrawSurface> DirectDrawTest::MakePrimary() {
  DDSURFACEDESC desc{};
  desc.dwSize = kDDSurfaceDescSize;
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  ComPtr<IDirectDrawSurface> surface;
  EXPECT_EQ(Create(desc, &surface), DD_OK);
  return surface;
}
