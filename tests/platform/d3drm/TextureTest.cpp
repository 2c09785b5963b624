// Textures from BMP files (pixel layouts, file lookup, damaged files) and from DirectDraw surfaces.
#include "platform/d3drm/BmpReader.h"
#include "platform/d3drm/D3DRMTestSupport.h"
#include "platform/d3drm/Texture.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/ddraw/TestSeams.h"

namespace {

class TextureTest : public RetainedModeTest {
 protected:
  void SetUp() override {
    RetainedModeTest::SetUp();
    ASSERT_EQ(DirectDrawCreate(nullptr, dd.put(), nullptr), DD_OK);
  }
  void TearDown() override {
    DDClearFaults();
    EXPECT_EQ(dd.detach()->Release(), 0u);
    RetainedModeTest::TearDown();
  }

  HRESULT Load(const std::string& path, ComPtr<IDirect3DRMTexture>* texture) {
    IDirect3DRMTexture* raw = reinterpret_cast<IDirect3DRMTexture*>(0x1);  // a failure must clear it
    const HRESULT result = rm->LoadTexture(path.c_str(), &raw);
    EXPECT_EQ(raw == nullptr, FAILED(result));
    *texture = ComPtr<IDirect3DRMTexture>::adopt(raw);
    return result;
  }
  const d3drm::Picture& PictureOf(const ComPtr<IDirect3DRMTexture>& texture) {
    return d3drm::Texture::From(texture.get())->picture();
  }

  // A 3 x 2 texture surface whose row y holds `rows[y]` byte by byte.
  ComPtr<IDirectDrawSurface> Surface(DDFormat format, std::vector<std::vector<BYTE>> rows, LONG pitch = 0) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | (pitch ? DDSD_PITCH : 0);
    desc.dwWidth = 3;
    desc.dwHeight = 2;
    desc.lPitch = pitch;
    desc.ddpfPixelFormat = DDMakePixelFormat(format);
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
    ComPtr<IDirectDrawSurface> surface;
    EXPECT_EQ(dd->CreateSurface(&desc, surface.put(), nullptr), DD_OK);
    DDSURFACEDESC locked{};
    locked.dwSize = sizeof locked;
    EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WRITEONLY | DDLOCK_WAIT, nullptr), DD_OK);
    for (DWORD y = 0; y < 2; ++y)
      std::copy(rows[y].begin(), rows[y].end(), DDFirstRow(locked) + static_cast<std::ptrdiff_t>(y) * locked.lPitch);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
    return surface;
  }

  std::vector<std::uint32_t> TexturePixels(IDirectDrawSurface* surface) {
    IDirect3DRMTexture* texture = nullptr;
    EXPECT_EQ(rm->CreateTextureFromSurface(surface, &texture), D3DRM_OK);
    if (!texture) return {};
    const auto pixels = d3drm::Texture::From(texture)->picture().pixels;
    EXPECT_EQ(texture->Release(), 0u);
    return pixels;
  }

  ComPtr<IDirectDraw> dd;
};

TEST_F(TextureTest, ReadsPalettedAndTrueColourRowsInEitherOrder) {
  ComPtr<IDirect3DRMTexture> texture;
  ASSERT_EQ(Load(FixturePath("bmp/rgb24.bmp"), &texture), D3DRM_OK);  // bottom-up, padded rows
  EXPECT_EQ(PictureOf(texture).width, 3u);
  EXPECT_EQ(PictureOf(texture).pixels,
            (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456}));

  ASSERT_EQ(Load(FixturePath("bmp/pal8.bmp"), &texture), D3DRM_OK);  // top-down, 3 colours
  EXPECT_EQ(PictureOf(texture).pixels, (std::vector<std::uint32_t>{0x302010, 0xFF0000, 0x00FF00, 0x000000}))
      << "an index past the palette shows black";

  ASSERT_EQ(Load(FixturePath("bmp/mono1.bmp"), &texture), D3DRM_OK);  // small header, 1 bit
  EXPECT_EQ(PictureOf(texture).pixels,
            (std::vector<std::uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF}));
}

TEST_F(TextureTest, FindsFilesByNameIgnoringCaseAndTellsMissingFromUnreadable) {
  ComPtr<IDirect3DRMTexture> texture;
  EXPECT_EQ(Load(FixturePath("bmp/RGB24.BMP"), &texture), D3DRM_OK);
  EXPECT_EQ(Load(FixturePath("bmp/missing.bmp"), &texture), D3DRMERR_FILENOTFOUND);
  EXPECT_EQ(Load(FixturePath("bmp/photo.jpg"), &texture), D3DRMERR_BADFILE) << "the program reads JPEGs itself";
  EXPECT_EQ(Load(FixturePath("bmp"), &texture), D3DRMERR_BADFILE) << "a folder";
}

// Each damaged header field on its own, then the intact file.
TEST(BmpDecodeTest, RefusesDamagedFiles) {
  const std::vector<std::uint8_t> good = ReadFixture("bmp/pal8.bmp");
  ASSERT_EQ(good.size(), 74u);
  auto damaged = [&](std::size_t at, std::vector<std::uint8_t> bytes) {
    std::vector<std::uint8_t> copy = good;
    std::copy(bytes.begin(), bytes.end(), copy.begin() + static_cast<std::ptrdiff_t>(at));
    d3drm::Picture picture;
    return !d3drm::DecodeBmp(copy, &picture);
  };
  EXPECT_TRUE(damaged(0, {'B', 'N'})) << "signature";
  EXPECT_TRUE(damaged(10, {67, 0, 0, 0})) << "pixels start one byte too late for the rows";
  EXPECT_TRUE(damaged(14, {39, 0, 0, 0})) << "header size";
  EXPECT_TRUE(damaged(14, {0xFF, 0xFF, 0, 0})) << "header past the end";
  EXPECT_TRUE(damaged(18, {0, 0, 0, 0})) << "width 0";
  EXPECT_TRUE(damaged(22, {0x01, 0x40, 0, 0})) << "height 16385";
  EXPECT_TRUE(damaged(26, {2, 0})) << "planes";
  EXPECT_TRUE(damaged(28, {16, 0})) << "16 bits";
  EXPECT_TRUE(damaged(30, {1, 0, 0, 0})) << "run-length compressed";
  EXPECT_TRUE(damaged(46, {0x01, 0x01, 0, 0})) << "257 colours";
  EXPECT_TRUE(damaged(22, {0xFD, 0xFF, 0xFF, 0xFF})) << "one row more than the data holds";
  d3drm::Picture picture;
  for (std::size_t size = 0; size < good.size(); ++size)
    EXPECT_FALSE(d3drm::DecodeBmp(std::span(good.data(), size), &picture)) << "cut to " << size;
  EXPECT_TRUE(d3drm::DecodeBmp(good, &picture));
}

TEST_F(TextureTest, CopiesTrueColourAndPalettedSurfaces) {
  // Bytes red, green, blue in memory, rows stored bottom-up.
  auto rgb = Surface(DDFormat::BGR888, {{255, 0, 0, 0, 255, 0, 0, 0, 255}, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, -12);
  EXPECT_EQ(TexturePixels(rgb.get()),
            (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x010203, 0x040506, 0x070809}));

  // 5:6:5 channels widen to 0..255: full red, half green (32 of 63), one step of blue.
  auto wide = Surface(DDFormat::RGB565, {{0x00, 0xF8, 0x00, 0x04, 0x01, 0x00}, {0, 0, 0xFF, 0xFF, 0, 0}});
  EXPECT_EQ(TexturePixels(wide.get()), (std::vector<std::uint32_t>{0xFF0000, 0x008200, 0x000008, 0, 0xFFFFFF, 0}));

  auto indexed = Surface(DDFormat::Palette8, {{0, 1, 2}, {2, 1, 0}});
  PALETTEENTRY entries[256] = {{10, 20, 30, 0}, {255, 255, 255, 0}, {0, 0, 128, 0}};
  IDirectDrawPalette* palette = nullptr;
  ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
  IDirect3DRMTexture* texture = nullptr;
  EXPECT_EQ(rm->CreateTextureFromSurface(indexed.get(), &texture), D3DRMERR_BADOBJECT) << "no palette yet";
  ASSERT_EQ(indexed->SetPalette(palette), DD_OK);
  palette->Release();
  EXPECT_EQ(TexturePixels(indexed.get()),
            (std::vector<std::uint32_t>{0x0A141E, 0xFFFFFF, 0x000080, 0x000080, 0xFFFFFF, 0x0A141E}));
}

TEST_F(TextureTest, ReportsSurfacesThatCannotBeRead) {
  auto surface = Surface(DDFormat::XRGB8888, {std::vector<BYTE>(12, 0x7F), std::vector<BYTE>(12, 0)});
  IDirect3DRMTexture* texture = nullptr;
  DDFailNext(DDCall::Lock, 1, DDERR_OUTOFMEMORY);
  EXPECT_EQ(rm->CreateTextureFromSurface(surface.get(), &texture), D3DRMERR_BADALLOC) << "the program retries this";
  DDSURFACEDESC locked{};
  locked.dwSize = sizeof locked;
  ASSERT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(rm->CreateTextureFromSurface(surface.get(), &texture), D3DRMERR_BADOBJECT) << "busy";
  ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
  EXPECT_EQ(rm->CreateTextureFromSurface(nullptr, &texture), D3DRMERR_BADVALUE);
  EXPECT_EQ(texture, nullptr);
  EXPECT_EQ(TexturePixels(surface.get())[0], 0x7F7F7Fu);
}

}  // namespace
