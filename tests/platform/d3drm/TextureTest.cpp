// BMP textures through LoadTexture: the pixel layouts read, the file lookup, damaged files.
#include "platform/d3drm/BmpReader.h"
#include "platform/d3drm/D3DRMTestSupport.h"
#include "platform/d3drm/Texture.h"

namespace {

class TextureTest : public RetainedModeTest {
 protected:
  HRESULT Load(const std::string& path, ComPtr<IDirect3DRMTexture>* texture) {
    IDirect3DRMTexture* raw = reinterpret_cast<IDirect3DRMTexture*>(0x1);
    const HRESULT result = rm->LoadTexture(path.c_str(), &raw);
    if (result == D3DRM_OK)
      *texture = ComPtr<IDirect3DRMTexture>::adopt(raw);
    else
      EXPECT_EQ(raw, nullptr);
    return result;
  }
  const d3drm::Picture& PictureOf(const ComPtr<IDirect3DRMTexture>& texture) {
    return d3drm::Texture::From(texture.get())->picture();
  }
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

  const auto* ours = d3drm::Texture::From(texture.get());
  EXPECT_EQ(ours->colors(), 1u << 24);
  ASSERT_EQ(rm->SetDefaultTextureShades(16), D3DRM_OK);
  ASSERT_EQ(Load(FixturePath("bmp/mono1.bmp"), &texture), D3DRM_OK);
  EXPECT_EQ(d3drm::Texture::From(texture.get())->shades(), 16u);
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

}  // namespace
