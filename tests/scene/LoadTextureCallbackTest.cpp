// JPEG pictures, the mode filter and the texture callback: surfaces, painted looks, bad files.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <tuple>
#include <vector>

#include "Jpeg.h"
#include "LoadMeshTestSupport.h"
#include "core/NoMemoryHandler.h"
#include "platform/d3drm/Texture.h"
#include "platform/ddraw/TestSeams.h"
#include "support/FatalCheck.h"
#include "scene/Jpeg.h"
#include "scene/ModeFilter.h"
#include "scene/TextureLoad.h"

namespace {

unsigned char Speckle(unsigned x, unsigned y, unsigned c) {
  return static_cast<unsigned char>(((x / 3) * 50 + (y / 4) * 90 + c * 70) % 256);
}

// Red rising left to right, green top to bottom, blue constant.
unsigned char Ramp(unsigned x, unsigned y, unsigned channel) {
  return static_cast<unsigned char>(channel == 0 ? x * 2 : channel == 1 ? y * 4 : 90);
}

void WriteJpeg(const std::string& path, unsigned width, unsigned height,
               unsigned char (*pixel)(unsigned, unsigned, unsigned)) {
  objects::Picture p{width, height, {}};
  for (unsigned y = 0; y < height; ++y)
    for (unsigned x = 0; x < width; ++x)
      for (unsigned c = 0; c < 3; ++c) p.rgb.push_back(pixel(x, y, c));
  objects::WriteJpeg(path, p, 95);
}

class LoadTextureCallbackTest : public LoadMeshTest {
 protected:
  void SetUp() override {
    LoadMeshTest::SetUp();
    WriteJpeg(picture, 100, 60, Speckle);
    Colors256(false);
  }
  void Colors256(bool on) {
    profile->WriteProfileString("Interactive", "ObjectQuality256Colors(yes/no)", on ? "yes" : "no");
    InitGlobals();
  }

  HRESULT Load(const std::string& name, LONG quality, LONG style, LONG brush, d3drm::Picture* out) {
    TextureLoadInfo info(1, quality, style, brush);
    IDirect3DRMTexture* texture = nullptr;
    std::string text = name;
    const HRESULT result = LoadTextureCallback(text.data(), &info, &texture);
    EXPECT_EQ(info.loaded, result == D3DRM_OK);
    if (texture) {
      if (out) *out = d3drm::Texture::From(texture)->picture();
      texture->Release();
    }
    return result;
  }

  std::string picture = folder / "dots.jpg";
};

TEST_F(LoadTextureCallbackTest, PixelsAreRedGreenBlueAndPalettesRepeatTheirFirstColour) {
  const std::string ramp = folder / "ramp.jpg";
  WriteJpeg(ramp, 100, 60, Ramp);
  std::vector<BYTE> rgb(128 * 3 * 64, 0xEE);
  ASSERT_TRUE(ReadJPEG(ramp.c_str(), rgb.data(), 128 * 3, 128, 64, 1, FALSE, 0, nullptr));
  const BYTE* p = &rgb[(30 * 128 + 40) * 3];
  EXPECT_NEAR(p[0], 80, 6);
  EXPECT_NEAR(p[1], 120, 6);
  EXPECT_NEAR(p[2], 90, 6);
  EXPECT_EQ(rgb[(30 * 128 + 100) * 3], 0xEE) << "nothing is written past the picture";

  // Three colours only: the quantizer finds fewer than 256.
  const std::string few = folder / "few.jpg";
  WriteJpeg(few, 30, 30, [](unsigned x, unsigned, unsigned c) {
    return static_cast<unsigned char>(x < 10 ? (c == 0 ? 250 : 0) : x < 20 ? (c == 1 ? 250 : 0) : (c == 2 ? 250 : 0));
  });
  std::vector<BYTE> indices(32 * 30);
  std::vector<BYTE> palette(256 * 4, 0x11);
  ASSERT_TRUE(ReadJPEG(few.c_str(), indices.data(), 32, 32, 30, 1, TRUE, 256, palette.data()));
  const BYTE* left = &palette[indices[15 * 32 + 2] * 4];
  EXPECT_GT(left[0], 200);
  EXPECT_LT(left[1], 60);
  EXPECT_EQ(left[3], 0);
  for (unsigned i = 200; i < 256; ++i)
    for (unsigned c = 0; c < 4; ++c) EXPECT_EQ(palette[i * 4 + c], palette[c]) << i;
}

TEST_F(LoadTextureCallbackTest, SurfacesArePowersOfTwoWithGreyMarginsAndTakePaletteColoursAt256) {
  const struct {
    LONG quality;
    unsigned width, height, pictureWidth, pictureHeight;
  } cases[] = {{0, 128, 64, 100, 60}, {-5, 16, 8, 13, 8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.quality);
    d3drm::Picture p;
    ASSERT_EQ(Load(picture, c.quality, 0, 3, &p), D3DRM_OK);
    ASSERT_EQ(p.width, c.width);
    ASSERT_EQ(p.height, c.height);
    EXPECT_NE(p.pixels[0], 0x808080u);
    EXPECT_EQ(p.pixels[(c.pictureHeight - 1) * c.width + c.pictureWidth], 0x808080u) << "right of the picture";
    if (c.pictureHeight < c.height) {
      EXPECT_EQ(p.pixels[c.pictureHeight * c.width], 0x808080u) << "below the picture";
    }
    EXPECT_EQ(p.pixels.back(), 0x808080u);
  }
  EXPECT_TRUE(boxes.boxes.empty());

  Colors256(true);
  d3drm::Picture p;
  ASSERT_EQ(Load(picture, 0, 0, 3, &p), D3DRM_OK);
  ASSERT_EQ(p.width, 128u);
  std::vector<std::uint32_t> colours(p.pixels.begin(), p.pixels.begin() + 100);
  std::sort(colours.begin(), colours.end());
  EXPECT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 3);
  // The margin is palette index 128: one of the picture's own colours, the same everywhere.
  EXPECT_EQ(p.pixels[100], p.pixels.back());
}

TEST_F(LoadTextureCallbackTest, PaintedStylesFilterOnceOrThreeTimesAndClampTheBrush) {
  d3drm::Picture photo, painted, veryPainted, clamped, unknownStyle;
  ASSERT_EQ(Load(picture, 0, 0, 2, &photo), D3DRM_OK);
  ASSERT_EQ(Load(picture, 0, 1, 2, &painted), D3DRM_OK);
  ASSERT_EQ(Load(picture, 0, 2, 2, &veryPainted), D3DRM_OK);
  // The same filter on the photo's pixels, as red, green, blue bytes; the margins stay grey.
  std::vector<unsigned char> bytes(128 * 64 * 3);
  for (std::size_t i = 0; i < photo.pixels.size(); ++i)
    for (int c = 0; c < 3; ++c) bytes[i * 3 + c] = static_cast<unsigned char>(photo.pixels[i] >> (16 - 8 * c));
  const auto filtered = [&](int times) {
    std::vector<unsigned char> in = bytes, out = bytes;
    for (int t = 0; t < times; ++t) {
      ModeFilterPixels(out.data(), 128 * 3, in.data(), 128 * 3, 3, 2, 100, 60);
      in = out;
    }
    std::vector<std::uint32_t> pixels(photo.pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = std::uint32_t{out[i * 3]} << 16 | std::uint32_t{out[i * 3 + 1]} << 8 | out[i * 3 + 2];
    return pixels;
  };
  EXPECT_EQ(painted.pixels, filtered(1));
  EXPECT_EQ(veryPainted.pixels, filtered(3));
  // A brush or style out of range (from a damaged scene file) is brought into range, not fatal.
  ASSERT_EQ(Load(picture, 0, 1, 500, &clamped), D3DRM_OK);
  ASSERT_EQ(Load(picture, 0, 7, 0, &unknownStyle), D3DRM_OK);
  EXPECT_EQ(unknownStyle.pixels, photo.pixels);
}

// The texts of `boxes` from `from` on, each cut to its first line.
std::vector<std::string> FirstLines(const ScriptedMessageBoxes& boxes, std::size_t from = 0) {
  std::vector<std::string> lines;
  for (std::size_t i = from; i < boxes.boxes.size(); ++i)
    lines.push_back(boxes.boxes[i].text.substr(0, boxes.boxes[i].text.find('\n')));
  return lines;
}

// The readers show libjpeg's message, or the damaged-file one for a file that cannot be opened or
// that libjpeg warned about; the callback then tells the user once per file. A search the user
// gives up goes on with the next file.
TEST_F(LoadTextureCallbackTest, MissingAndBadFilesAreToldOnceAndAGivenUpSearchEndsNothing) {
  const std::string damaged = "The following file is either:";
  const std::string libjpeg = "Independent JPEG Group's software error:";
  unsigned w, h;
  EXPECT_FALSE(GetJPEGSize((folder / "missing.jpg").c_str(), 1, FALSE, 0, &w, &h));
  EXPECT_EQ(FirstLines(boxes), std::vector<std::string>{damaged});
  EXPECT_NE(boxes.boxes[0].text.find(folder / "missing.jpg"), std::string::npos);
  std::ofstream(folder / "text.jpg") << "neither a bitmap nor a JPEG picture";
  EXPECT_FALSE(GetJPEGSize((folder / "text.jpg").c_str(), 1, FALSE, 0, &w, &h));
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text.rfind(libjpeg + "\n\nNot a JPEG file", 0), 0u);
  // Cut in the middle of the picture data: libjpeg warns, and the picture fails.
  std::ifstream in(picture, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(folder / "cut.jpg", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
  std::vector<BYTE> rgb(128 * 3 * 64);
  EXPECT_FALSE(ReadJPEG((folder / "cut.jpg").c_str(), rgb.data(), 128 * 3, 128, 64, 1, FALSE, 0, nullptr));
  EXPECT_EQ(FirstLines(boxes, 2), (std::vector<std::string>{libjpeg, damaged}));
  EXPECT_NE(boxes.boxes.back().text.find(folder / "cut.jpg"), std::string::npos);
  // A picture larger than its buffer (the file changed after its size was taken) fails.
  boxes.boxes.clear();
  EXPECT_FALSE(ReadJPEG(picture.c_str(), rgb.data(), 128 * 3, 64, 64, 1, FALSE, 0, nullptr));
  EXPECT_FALSE(ReadJPEG(picture.c_str(), rgb.data(), 128 * 3, 128, 32, 1, FALSE, 0, nullptr));
  EXPECT_TRUE(boxes.boxes.empty());

  TextureLoadInfo off;
  IDirect3DRMTexture* texture = nullptr;
  char name[] = "anything.jpg";
  EXPECT_EQ(LoadTextureCallback(name, &off, &texture), D3DRMERR_FILENOTFOUND);
  EXPECT_TRUE(boxes.boxes.empty()) << "textures off: no message";

  TextureLoadInfo info(1, 0, 0, 3);
  const auto load = [&](const std::string& file) {
    std::string text = file;
    IDirect3DRMTexture* made = nullptr;
    const HRESULT result = LoadTextureCallback(text.data(), &info, &made);
    EXPECT_EQ(info.loaded, result == D3DRM_OK);
    if (made) made->Release();
    return result;
  };
  for (const char* file : {"text.jpg", "cut.jpg", "text.jpg"}) EXPECT_EQ(load(folder / file), D3DRMERR_BADFILE);
  const std::string notLoaded = "Texture file not loaded.";
  EXPECT_EQ(FirstLines(boxes), (std::vector<std::string>{libjpeg, notLoaded, libjpeg, damaged, notLoaded}));
  EXPECT_NE(boxes.boxes[4].text.find(folder / "cut.jpg"), std::string::npos);
  // A stored Windows path in another letter case still finds the file.
  EXPECT_EQ(load(folder.Path() + "\\DOTS.JPG"), D3DRM_OK);

  boxes.boxes.clear();
  boxes.Answer({IDNO, IDYES});  // looks once more, then gives up the search
  EXPECT_EQ(load(folder / "gone.jpg"), D3DRMERR_FILENOTFOUND);
  EXPECT_EQ(dialogs.requests.size(), 2u);
  EXPECT_EQ(FirstLines(boxes), (std::vector<std::string>{"Are you sure you want to cancel the current operation?",
                                                          "Are you sure you want to cancel the current operation?",
                                                          "The current operation was cancelled because the following "
                                                          "file was not found.",
                                                          "Texture file not found."}));
  EXPECT_NE(boxes.boxes.back().text.find("\n\n" + (folder / "gone.jpg") + "\n\n"), std::string::npos);
  EXPECT_EQ(load(picture), D3DRM_OK) << "the load goes on";
  EXPECT_EQ(load(folder / "gone.jpg"), D3DRMERR_FILENOTFOUND);
  EXPECT_EQ(dialogs.requests.size(), 2u) << "asked once per load";
  EXPECT_EQ(boxes.boxes.size(), 4u);
}

// Blocks the decoder asks for, and how many more are refused.
std::vector<std::size_t> blocksAsked;
int blockRefusals = 0;

// Memory that runs short while a picture is decoded is waited for through the low-memory handler,
// which starts its helper; the texture then loads as it would have.
TEST_F(LoadTextureCallbackTest, APictureDecodedWhileMemoryRunsShortLoadsOnceMemoryIsFreed) {
  d3drm::Picture normal, shortOfMemory;
  ASSERT_EQ(Load(picture, 0, 0, 3, &normal), D3DRM_OK);
  ScriptedProcesses processes;
  FakeClipboard clipboard;
  ASSERT_TRUE(NoMemoryReserveHeld());  // the application's
  blocksAsked.clear();
  blockRefusals = 2;
  SetBlockAllocator([](std::size_t size) {
    blocksAsked.push_back(size);
    return blockRefusals-- > 0 ? nullptr : std::malloc(size);
  });
  const HRESULT result = Load(picture, 0, 0, 3, &shortOfMemory);
  SetBlockAllocator(nullptr);
  ASSERT_EQ(result, D3DRM_OK);
  EXPECT_EQ(shortOfMemory.pixels, normal.pixels);
  EXPECT_EQ(blocksAsked, std::vector<std::size_t>(3, 60 * sizeof(BYTE*))) << "the row table, until it is given";
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].commandLine, "NoMemoryDialog.exe");
  EXPECT_TRUE(boxes.boxes.empty());
}

// A shortage of libjpeg's own blocks, small or large, from the `from`-th block of that kind on,
// until the low-memory handler has started its helper; `processes` is null when memory is plenty.
struct LibjpegShortage {
  bool large = false;
  int from = 0;
  int asked = 0;
  int refused = 0;
  const ScriptedProcesses* processes = nullptr;
} libjpegShortage;

void* LibjpegBlock(bool large, std::size_t size) {
  LibjpegShortage& s = libjpegShortage;
  if (s.processes && s.large == large && s.asked++ >= s.from && s.processes->started.empty()) {
    ++s.refused;
    return nullptr;
  }
  return std::malloc(size);
}

}  // namespace

// libjpeg takes its memory through these two calls of its system-dependent part; defined here,
// they stand in for the library's own, so that its allocations can be refused.
extern "C" void* jpeg_get_small(struct jpeg_common_struct*, std::size_t size) { return LibjpegBlock(false, size); }
extern "C" void* jpeg_get_large(struct jpeg_common_struct*, std::size_t size) { return LibjpegBlock(true, size); }

namespace {

// A block libjpeg cannot get, for its memory manager, a pool or a large buffer, is waited for
// through the low-memory handler and the picture is read again from its start: no message, and
// the texture of a normal load.
TEST_F(LoadTextureCallbackTest, ALibjpegBlockRefusedWhileMemoryRunsShortIsWaitedForAndThePictureReadAgain) {
  d3drm::Picture normal;
  ASSERT_EQ(Load(picture, 0, 0, 3, &normal), D3DRM_OK);
  const struct {
    const char* block;
    bool large;
    int from;
  } cases[] = {{"the memory manager", false, 0}, {"a pool", false, 1}, {"a large buffer", true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.block);
    ScriptedProcesses processes;
    FakeClipboard clipboard;
    libjpegShortage = {c.large, c.from, 0, 0, &processes};
    d3drm::Picture shortOfMemory;
    const HRESULT result = Load(picture, 0, 0, 3, &shortOfMemory);
    const int refused = libjpegShortage.refused;
    libjpegShortage = {};
    EXPECT_EQ(result, D3DRM_OK);
    EXPECT_GT(refused, 0);
    EXPECT_EQ(shortOfMemory.pixels, normal.pixels);
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].commandLine, "NoMemoryDialog.exe");
    EXPECT_TRUE(boxes.boxes.empty());
  }
}

// Columns of two rows: the top pixel sinks past a pixel that is not darker (direction 0) or not
// brighter (direction 1). Green counts twice in a pixel's brightness.
TEST(SinkPixels, PixelsSinkByBrightnessAndASingleRowStays) {
  std::vector<unsigned char> column{10, 200};
  SinkPixels(column.data(), 1, 1, 0, 1, 2);
  EXPECT_EQ(column, (std::vector<unsigned char>{200, 10}));
  SinkPixels(column.data(), 1, 1, 1, 1, 2);
  EXPECT_EQ(column, (std::vector<unsigned char>{10, 200}));

  std::vector<unsigned char> rgb{150, 0, 0, 0, 100, 0};  // 150 above 200
  SinkPixels(rgb.data(), 3, 3, 0, 1, 2);
  EXPECT_EQ(rgb, (std::vector<unsigned char>{0, 100, 0, 150, 0, 0}));

  std::vector<unsigned char> row{1, 2, 3};
  SinkPixels(row.data(), 3, 1, 0, 3, 1);
  EXPECT_EQ(row, (std::vector<unsigned char>{1, 2, 3}));
}

TEST(ModeFilter, EachPixelTakesTheValueFirstToReachTheHighestCountAndRgbPixelsTheirBinCentres) {
  // Rows stored bottom-up, read through a negative pitch.
  const std::vector<unsigned char> bottomUp{4, 4, 4, 2, 5, 3, 1, 2, 5, 5, 1, 3, 2, 2, 5};
  std::vector<unsigned char> out(15);
  ModeFilterPixels(out.data(), 5, bottomUp.data() + 10, -5, 1, 1, 5, 3);
  // At the top left corner 1 3 / 3 1 ties: 3 reaches two first.
  EXPECT_EQ(out, (std::vector<unsigned char>{3, 3, 2, 2, 5, 3, 4, 2, 2, 5, 4, 4, 4, 5, 5}));

  for (unsigned char value : {0, 1, 255}) {
    SCOPED_TRACE(int{value});
    // Red, green, blue: a 4 x 2 area in rows of 6 pixels; the pixels outside it stay.
    const std::vector<unsigned char> src(6 * 2 * 3, value);
    std::vector<unsigned char> dest(src.size(), 77);
    ModeFilterPixels(dest.data(), 6 * 3, src.data(), 6 * 3, 3, 2, 4, 2);
    const unsigned char centre[3] = {static_cast<unsigned char>(value == 255 ? 254 : 2),
                                     static_cast<unsigned char>(value == 255 ? 255 : 1),
                                     static_cast<unsigned char>(value == 255 ? 254 : 2)};
    for (std::size_t i = 0; i < dest.size(); ++i)
      EXPECT_EQ(dest[i], i / 3 % 6 < 4 ? centre[i % 3] : 77) << i;
  }
}

// The filter's rule counted pixel by pixel: the window's highest count, then the first value to
// reach it walking the window row by row.
std::vector<unsigned char> ModesByCounting(const std::vector<unsigned char>& in, int width, int height, int radius) {
  std::vector<unsigned char> out(in.size());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int top = std::max(0, y - radius), bottom = std::min(height - 1, y + radius);
      const int left = std::max(0, x - radius), right = std::min(width - 1, x + radius);
      int counts[256] = {}, highest = 0, running[256] = {};
      for (int j = top; j <= bottom; ++j)
        for (int i = left; i <= right; ++i) highest = std::max(highest, ++counts[in[j * width + i]]);
      for (int j = top, found = 0; j <= bottom && !found; ++j)
        for (int i = left; i <= right && !found; ++i)
          if (++running[in[j * width + i]] == highest) found = 1, out[y * width + x] = in[j * width + i];
    }
  return out;
}

TEST(ModeFilter, PaletteWindowsOfEveryBrushFollowTheRule) {
  unsigned noise = 7;
  for (const auto& [width, height, radius, colours] :
       {std::tuple{40, 30, 1, 3}, {40, 30, 4, 3}, {33, 21, 20, 256}, {9, 50, 12, 5}, {50, 9, 7, 256}}) {
    SCOPED_TRACE(testing::Message() << width << "x" << height << " radius " << radius << " colours " << colours);
    std::vector<unsigned char> in(static_cast<std::size_t>(width) * height), out(in.size());
    for (auto& value : in) value = static_cast<unsigned char>((noise = noise * 1103515245u + 12345u) >> 16) % colours;
    ModeFilterPixels(out.data(), width, in.data(), width, 1, radius, width, height);
    EXPECT_EQ(out, ModesByCounting(in, width, height, radius));
  }
}

// Another surface, whose description lacks the pitch.
class SurfaceWithoutPitch final : public IDirectDrawSurface {
 public:
  explicit SurfaceWithoutPitch(IDirectDrawSurface* surface) : s_(surface) {}
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT GetSurfaceDesc(LPDDSURFACEDESC desc) override {
    const HRESULT result = s_->GetSurfaceDesc(desc);
    desc->dwFlags &= ~DDSD_PITCH;
    return result;
  }
  HRESULT Lock(LPRECT r, LPDDSURFACEDESC d, DWORD f, LPVOID e) override { return s_->Lock(r, d, f, e); }
  HRESULT Unlock(LPVOID p) override { return s_->Unlock(p); }
  HRESULT IsLost() override { return s_->IsLost(); }
  HRESULT AddAttachedSurface(IDirectDrawSurface* a) override { return s_->AddAttachedSurface(a); }
  HRESULT GetAttachedSurface(LPDDSCAPS c, IDirectDrawSurface** a) override { return s_->GetAttachedSurface(c, a); }
  HRESULT SetPalette(LPDIRECTDRAWPALETTE p) override { return s_->SetPalette(p); }
  HRESULT GetPalette(LPDIRECTDRAWPALETTE* p) override { return s_->GetPalette(p); }
  HRESULT SetClipper(LPDIRECTDRAWCLIPPER c) override { return s_->SetClipper(c); }
  HRESULT Blt(LPRECT d, IDirectDrawSurface* s, LPRECT r, DWORD f, LPDDBLTFX x) override { return s_->Blt(d, s, r, f, x); }
  HRESULT GetDC(HDC* dc) override { return s_->GetDC(dc); }
  HRESULT ReleaseDC(HDC dc) override { return s_->ReleaseDC(dc); }

 private:
  IDirectDrawSurface* s_;
};

// A failed surface call or check of the filters is reported with the call or check as written.
TEST_F(LoadTextureCallbackTest, FilterFailuresQuoteTheirCallsAndChecks) {
  const auto surface = [&] {
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
    desc.dwWidth = desc.dwHeight = 8;
    desc.ddpfPixelFormat = DDMakePixelFormat(DDFormat::BGR888);
    IUPtr<IDirectDrawSurface> made;
    EXPECT_EQ(app.lpDD->CreateSurface(&desc, &made, nullptr), DD_OK);
    return made;
  };
  const IUPtr<IDirectDrawSurface> src = surface(), dest = surface();
  const auto unlockBoth = [&] {
    src->Unlock(nullptr);
    dest->Unlock(nullptr);
  };
  const std::string failed = std::to_string(static_cast<DWORD>(DDERR_GENERIC) & 0xFFFF);
  const std::string busy = std::to_string(static_cast<DWORD>(DDERR_SURFACEBUSY) & 0xFFFF);

  DDFailNext(DDCall::GetSurfaceDesc, 1, DDERR_GENERIC);
  EXPECT_FATAL(ModeFilterSurface(dest, src, 1, 8, 8), "surface->GetSurfaceDesc( &ddsd )", failed);
  DDFailNext(DDCall::GetSurfaceDesc, 1, DDERR_GENERIC);
  EXPECT_FATAL(SinkSurfacePixels(src, nullptr, 0, 8, 8), "surface->GetSurfaceDesc( &ddsd )", failed);
  const std::string flags =
      ".dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == "
      "(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)";
  SurfaceWithoutPitch srcWithoutPitch(src), destWithoutPitch(dest);
  EXPECT_FATAL(ModeFilterSurface(dest, &srcWithoutPitch, 1, 8, 8), "(srcDesc" + flags, "");
  EXPECT_FATAL(ModeFilterSurface(&destWithoutPitch, src, 1, 8, 8), "(destDesc" + flags, "");
  EXPECT_FATAL(SinkSurfacePixels(&srcWithoutPitch, nullptr, 0, 8, 8), "(srcDesc" + flags, "");

  DDFailNext(DDCall::Lock, 1, DDERR_GENERIC);
  EXPECT_FATAL(ModeFilterSurface(dest, src, 1, 8, 8),
               "src->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )", failed);
  DDSURFACEDESC held{};
  held.dwSize = kDDSurfaceDescSize;
  ASSERT_EQ(dest->Lock(nullptr, &held, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_FATAL(ModeFilterSurface(dest, src, 1, 8, 8),
               "dest->Lock( NULL, &surfDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )", busy);
  unlockBoth();
  DDFailNext(DDCall::Unlock, 1, DDERR_GENERIC);
  EXPECT_FATAL(ModeFilterSurface(dest, src, 1, 8, 8), "dest->Unlock( destDesc.lpSurface )", failed);
  unlockBoth();
  DDClearFaults();
}

}  // namespace
