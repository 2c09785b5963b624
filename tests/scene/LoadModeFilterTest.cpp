// The mode filter against a plain reference on random images (window clipping and ties included),
// its bin centres and checks, through real surfaces.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/ddraw/Display.h"
#include "platform/ddraw/TestSeams.h"
#include "scene/ModeFilter.h"
#include "support/FatalCheck.h"

namespace {

// The filter as plainly as it can be written: a fresh histogram per pixel, walked in row order; a
// tie goes to the value that reached the count first.
std::vector<unsigned char> ReferenceFilter(const std::vector<unsigned char>& src, unsigned bytes, int width,
                                           int height, int radius) {
  std::vector<unsigned char> out(src.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::vector<int> counts(bytes == 3 ? 64 * 128 * 64 : 256, 0);
      int best = 0, bestCount = 0;
      for (int wy = y - radius; wy <= y + radius; ++wy) {
        for (int wx = x - radius; wx <= x + radius; ++wx) {
          if (wx < 0 || wy < 0 || wx >= width || wy >= height) continue;
          const unsigned char* p = &src[(static_cast<std::size_t>(wy) * width + wx) * bytes];
          const int bin = bytes == 3 ? (p[0] / 4) * 8192 + (p[1] / 2) * 64 + p[2] / 4 : p[0];
          if (++counts[bin] > bestCount) bestCount = counts[bin], best = bin;
        }
      }
      unsigned char* o = &out[(static_cast<std::size_t>(y) * width + x) * bytes];
      if (bytes == 3) {
        o[0] = static_cast<unsigned char>(best / 8192 * 4 + 2);
        o[1] = static_cast<unsigned char>(best / 64 % 128 * 2 + 1);
        o[2] = static_cast<unsigned char>(best % 64 * 4 + 2);
      } else {
        o[0] = static_cast<unsigned char>(best);
      }
    }
  }
  return out;
}

class LoadModeFilterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(DDSetDisplayMode(32, 64, 48));
    ASSERT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
  }
  void TearDown() override {
    for (IDirectDrawSurface* s : made) s->Release();
    dd->Release();
    EXPECT_EQ(DDLiveObjectCount(), 0);
  }

  IDirectDrawSurface* Make(DWORD width, DWORD height, DDFormat format, LONG pitch = 0) {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT | (pitch ? DDSD_PITCH : 0);
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.lPitch = pitch;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.ddpfPixelFormat = DDMakePixelFormat(format);
    IDirectDrawSurface* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DD_OK);
    made.push_back(s);
    return s;
  }

  // Pixels of `s` top-down without padding; with `write` the vector goes into the surface.
  static void Pixels(IDirectDrawSurface* s, std::vector<unsigned char>& pixels, bool write) {
    DDSURFACEDESC d{};
    d.dwSize = kDDSurfaceDescSize;
    ASSERT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    const std::size_t row = d.dwWidth * DDBytesPerPixel(d.ddpfPixelFormat);
    pixels.resize(row * d.dwHeight);
    for (DWORD y = 0; y < d.dwHeight; ++y) {
      BYTE* at = DDFirstRow(d) + static_cast<std::ptrdiff_t>(y) * d.lPitch;
      if (write) {
        std::memcpy(at, &pixels[y * row], row);
      } else {
        std::memcpy(&pixels[y * row], at, row);
      }
    }
    ASSERT_EQ(s->Unlock(d.lpSurface), DD_OK);
  }

  IDirectDraw* dd = nullptr;
  std::vector<IDirectDrawSurface*> made;
};

TEST_F(LoadModeFilterTest, EqualsThePlainFilterOnRandomImages) {
  std::mt19937 random(7);
  const struct {
    DDFormat format;
    unsigned bytes;
    LONG pitch;
  } kinds[] = {{DDFormat::RGB888, 3, 0}, {DDFormat::BGR888, 3, -120}, {DDFormat::Palette8, 1, 0}};
  for (const auto& kind : kinds) {
    for (int round = 0; round < 12; ++round) {
      // Windows wider than the image included.
      const int width = 1 + static_cast<int>(random() % 34), height = 1 + static_cast<int>(random() % 30);
      const unsigned radius = 1 + random() % 9;
      SCOPED_TRACE(testing::Message() << kind.bytes << " bytes " << width << "x" << height << " r" << radius);
      // Few distinct colours, so windows hold real majorities and ties.
      std::vector<unsigned char> palette(4 * 3);
      for (auto& c : palette) c = static_cast<unsigned char>(random());
      std::vector<unsigned char> image(static_cast<std::size_t>(width) * height * kind.bytes);
      for (std::size_t i = 0; i < image.size(); i += kind.bytes) {
        const unsigned pick = random() % 4;
        for (unsigned b = 0; b < kind.bytes; ++b)
          image[i + b] = static_cast<unsigned char>(kind.bytes == 3 ? palette[pick * 3 + b] ^ (random() & 1) : pick);
      }
      IDirectDrawSurface* src = Make(width, height, kind.format, kind.pitch);
      IDirectDrawSurface* dest = Make(width, height, kind.format);
      Pixels(src, image, true);
      ModeFilterSurface(dest, src, radius, width, height);
      std::vector<unsigned char> out;
      Pixels(dest, out, false);
      EXPECT_EQ(out, ReferenceFilter(image, kind.bytes, width, height, static_cast<int>(radius)));
    }
  }
}

TEST_F(LoadModeFilterTest, UniformImagesBecomeBinCentresAndTheRestOfDestStays) {
  for (unsigned char value : {0, 255}) {
    IDirectDrawSurface* src = Make(6, 4, DDFormat::RGB888);
    IDirectDrawSurface* dest = Make(6, 4, DDFormat::RGB888);
    std::vector<unsigned char> pixels(6 * 4 * 3, value);
    Pixels(src, pixels, true);
    std::vector<unsigned char> marked(6 * 4 * 3, 77);
    Pixels(dest, marked, true);
    ModeFilterSurface(dest, src, 2, 5, 3);
    Pixels(dest, pixels, false);
    const unsigned char centre[3] = {static_cast<unsigned char>(value ? 254 : 2), static_cast<unsigned char>(value ? 255 : 1),
                                     static_cast<unsigned char>(value ? 254 : 2)};
    for (std::size_t y = 0; y < 4; ++y)
      for (std::size_t x = 0; x < 6; ++x)
        for (std::size_t b = 0; b < 3; ++b)
          EXPECT_EQ(pixels[(y * 6 + x) * 3 + b], x < 5 && y < 3 ? centre[b] : 77) << x << "," << y;
  }
}

TEST_F(LoadModeFilterTest, ChecksSurfacesRadiusAndFormats) {
  IDirectDrawSurface* a = Make(4, 4, DDFormat::RGB888);
  IDirectDrawSurface* b = Make(4, 4, DDFormat::RGB888);
  IDirectDrawSurface* c = Make(4, 4, DDFormat::Palette8);
  IDirectDrawSurface* d = Make(4, 4, DDFormat::RGB565);
  IDirectDrawSurface* e = Make(4, 4, DDFormat::RGB565);
  EXPECT_FATAL(ModeFilterSurface(a, a, 1, 4, 4), "dest != src",
               "Must be unique surfaces since we write dest pixels that may be read again from source");
  EXPECT_FATAL(ModeFilterSurface(a, c, 1, 4, 4),
               "!memcmp( &srcDesc.ddpfPixelFormat, &destDesc.ddpfPixelFormat, sizeof srcDesc.ddpfPixelFormat )",
               "Source and destination do not have same color format");
  EXPECT_FATAL(ModeFilterSurface(d, e, 1, 4, 4), "format", "Unsupported pixel color format");
  EXPECT_FATAL(ModeFilterSurface(a, b, 128, 4, 4), "ideal_filter_diameter < 256", "Could overflow histogram WORD");
}

}  // namespace
