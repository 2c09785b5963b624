#include "scene/ModeFilter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/FatalError.h"

namespace {

constexpr std::size_t kRgbBins = 64 * 128 * 64;

unsigned RgbBin(const unsigned char* p) { return (p[0] >> 2) * 8192u + (p[1] >> 1) * 64u + (p[2] >> 2); }

// The mode of a window is the value that first reaches the window's highest count when the
// window is walked row by row from the top, each row from the left: ties go to the value that
// got there first. `bins` holds one value per pixel of the area.
struct Window {
  unsigned left, right, top, bottom;
};

// Walks the window until a value's running count reaches `top` (the window's highest count): that
// value is the mode. `running` is all zero on entry and on return.
unsigned WalkToMode(const unsigned* bins, unsigned width, const Window& w, unsigned top, std::uint16_t* running) {
  unsigned mode = 0;
  unsigned lastY = w.bottom, lastX = w.right;
  for (unsigned y = w.top; y <= w.bottom && !mode; ++y) {
    const unsigned* row = bins + std::size_t{y} * width;
    for (unsigned x = w.left; x <= w.right; ++x) {
      if (++running[row[x]] == top) {
        mode = row[x] + 1;
        lastY = y;
        lastX = x;
        break;
      }
    }
  }
  for (unsigned y = w.top; y <= lastY; ++y) {
    const unsigned* row = bins + std::size_t{y} * width;
    for (unsigned x = w.left, end = y == lastY ? lastX : w.right; x <= end; ++x) running[row[x]] = 0;
  }
  return mode - 1;
}

// RGB bins: the window's histogram, kept while the window slides one column at a time along a row, with
// the number of values at each count and the highest count, so most windows know their mode
// without a walk: when one value alone has the highest count.
class SlidingHistogram {
 public:
  explicit SlidingHistogram(std::size_t bins) : counts_(bins, 0), running_(bins, 0), values_(65026, 0) {}

  void AddColumn(const unsigned* bins, unsigned width, unsigned x, unsigned top, unsigned bottom) {
    for (unsigned y = top; y <= bottom; ++y) Add(bins[std::size_t{y} * width + x]);
  }
  void RemoveColumn(const unsigned* bins, unsigned width, unsigned x, unsigned top, unsigned bottom) {
    for (unsigned y = top; y <= bottom; ++y) Remove(bins[std::size_t{y} * width + x]);
  }

  unsigned Mode(const unsigned* bins, unsigned width, const Window& w) {
    if (values_[highest_] == 1 && counts_[leader_] == highest_) return leader_;
    return WalkToMode(bins, width, w, highest_, running_.data());
  }

 private:
  void Add(unsigned bin) {
    const unsigned c = ++counts_[bin];
    --values_[c - 1];
    ++values_[c];
    if (c > highest_) {
      highest_ = c;
      leader_ = bin;
    }
  }
  void Remove(unsigned bin) {
    const unsigned c = counts_[bin]--;
    --values_[c];
    ++values_[c - 1];
    while (highest_ > 0 && values_[highest_] == 0) --highest_;
  }

  std::vector<std::uint16_t> counts_;
  std::vector<std::uint16_t> running_;
  std::vector<unsigned> values_;  // values_[c]: how many values have count c (c above 0)
  unsigned highest_ = 0;
  unsigned leader_ = 0;  // a value that had the highest count when it was reached
};

// Palette indices: one histogram for each column over the window's rows, kept as the window moves
// down a row, and the window's histogram as the sum of its columns', kept as it moves right by
// adding the entering column and taking away the leaving one. Every step works on whole
// 256-entry histograms, which the compiler vectorises, so a pixel costs the same for any brush.
class ColumnHistograms {
 public:
  static constexpr unsigned kValues = 256;

  ColumnHistograms(const unsigned* bins, unsigned width) : bins_(bins), width_(width), columns_(width * kValues, 0) {}

  void AddRow(unsigned y) { Update(y, 1); }
  void RemoveRow(unsigned y) { Update(y, -1); }
  const std::uint16_t* Column(unsigned x) const { return columns_.data() + std::size_t{x} * kValues; }

 private:
  void Update(unsigned y, int change) {
    const unsigned* row = bins_ + std::size_t{y} * width_;
    for (unsigned x = 0; x < width_; ++x) {
      std::uint16_t& count = columns_[std::size_t{x} * kValues + row[x]];
      count = static_cast<std::uint16_t>(count + change);
    }
  }

  const unsigned* bins_;
  unsigned width_;
  std::vector<std::uint16_t> columns_;
};

// window += entering - leaving, returning the highest count. Window counts reach at most 255 x 255,
// so 16 bits hold them. The window is never one of the columns, which lets the loop vectorise.
unsigned SlideWindow(std::uint16_t* __restrict window, const std::uint16_t* __restrict entering,
                     const std::uint16_t* __restrict leaving) {
  std::uint16_t top = 0;
  for (unsigned v = 0; v < ColumnHistograms::kValues; ++v) {
    window[v] = static_cast<std::uint16_t>(window[v] + entering[v] - leaving[v]);
    top = std::max(top, window[v]);
  }
  return top;
}

// How many values reach `top`, and when just one does, which.
unsigned ValuesAtTop(const std::uint16_t* window, unsigned top, unsigned* which) {
  std::uint16_t count = 0, sum = 0;
  for (unsigned v = 0; v < ColumnHistograms::kValues; ++v) {
    const std::uint16_t at = window[v] == top;
    count = static_cast<std::uint16_t>(count + at);
    sum = static_cast<std::uint16_t>(sum + at * v);
  }
  *which = sum;
  return count;
}

void ModeFilterIndices(unsigned char* dest, std::ptrdiff_t destPitch, const unsigned* bins, unsigned radius,
                       unsigned width, unsigned height) {
  ColumnHistograms columns(bins, width);
  static const std::uint16_t kNone[ColumnHistograms::kValues] = {};
  std::uint16_t window[ColumnHistograms::kValues];
  std::uint16_t running[ColumnHistograms::kValues] = {};
  for (unsigned y = 0; y <= std::min(radius, height - 1); ++y) columns.AddRow(y);
  for (unsigned y = 0; y < height; ++y) {
    if (y > 0 && y + radius < height) columns.AddRow(y + radius);
    if (y > radius) columns.RemoveRow(y - radius - 1);
    const unsigned top = y > radius ? y - radius : 0, bottom = std::min(y + radius, height - 1);
    std::fill(std::begin(window), std::end(window), std::uint16_t{0});
    for (unsigned x = 0; x < std::min(radius, width); ++x) SlideWindow(window, columns.Column(x), kNone);
    unsigned char* out = dest + std::ptrdiff_t{y} * destPitch;
    for (unsigned x = 0; x < width; ++x) {
      const unsigned highest = SlideWindow(window, x + radius < width ? columns.Column(x + radius) : kNone,
                                           x > radius ? columns.Column(x - radius - 1) : kNone);
      unsigned mode = 0;
      if (ValuesAtTop(window, highest, &mode) != 1) {
        const Window w{x > radius ? x - radius : 0, std::min(x + radius, width - 1), top, bottom};
        mode = WalkToMode(bins, width, w, highest, running);
      }
      out[x] = static_cast<unsigned char>(mode);
    }
  }
}

bool IsRgb24(const DDPIXELFORMAT& f) {
  return f.dwFlags == DDPF_RGB && f.dwRGBBitCount == 24 && f.dwGBitMask == 0x0000FF00 &&
         ((f.dwRBitMask == 0x000000FF && f.dwBBitMask == 0x00FF0000) ||
          (f.dwRBitMask == 0x00FF0000 && f.dwBBitMask == 0x000000FF));
}

bool IsPalette8(const DDPIXELFORMAT& f) {
  return f.dwFlags == (DDPF_RGB | DDPF_PALETTEINDEXED8) && f.dwRGBBitCount == 8;
}

// The fields a filter reads from a description; `name` is the description's name in the check's
// text.
void CheckDescription(const DDSURFACEDESC& desc, const char* name) {
  constexpr DWORD kNeeded = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
  if ((desc.dwFlags & kNeeded) == kNeeded) return;
  const std::string expression = std::string("(") + name +
                                 ".dwFlags & (DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)) == "
                                 "(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT)";
  XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, expression.c_str(), "");
}

// 3 for the 24-bit RGB formats, 1 for 8-bit palette indices; any other format is fatal.
unsigned BytesPerPixelOf(const DDPIXELFORMAT& format) {
  const bool rgb = format.dwFlags == DDPF_RGB && format.dwRGBBitCount == 24;
  XASSERT_TEXT(rgb || IsPalette8(format), "format", "Unsupported pixel color format");
  if (rgb) XASSERT_TEXT(IsRgb24(format), "masks", "Unsupported pixel color format");
  return rgb ? 3 : 1;
}

// Red and blue count once, green twice; a palette index is its own brightness.
unsigned Brightness(const unsigned char* p, unsigned bytesPerPixel) {
  return bytesPerPixel == 3 ? p[0] + 2u * p[1] + p[2] : p[0];
}

}  // namespace

DDSURFACEDESC GetSurfaceDesc(IUPtr<IDirectDrawSurface> surface) {
  DDSURFACEDESC ddsd;
  std::memset(&ddsd, 0, sizeof ddsd);
  ddsd.dwSize = kDDSurfaceDescSize;
  XCHECK_DD(surface->GetSurfaceDesc( &ddsd ));
  return ddsd;
}

void ModeFilterPixels(unsigned char* dest, std::ptrdiff_t destPitch, const unsigned char* src,
                      std::ptrdiff_t srcPitch, unsigned bytesPerPixel, unsigned radius, unsigned width,
                      unsigned height) {
  // Each source pixel's bin once, so the windows read one word per pixel.
  std::vector<unsigned> bins(std::size_t{width} * height);
  for (unsigned y = 0; y < height; ++y) {
    const unsigned char* row = src + std::ptrdiff_t{y} * srcPitch;
    unsigned* out = bins.data() + std::size_t{y} * width;
    for (unsigned x = 0; x < width; ++x)
      out[x] = bytesPerPixel == 3 ? RgbBin(row + std::size_t{x} * 3) : row[x];
  }
  if (bytesPerPixel == 1) return ModeFilterIndices(dest, destPitch, bins.data(), radius, width, height);
  SlidingHistogram histogram(kRgbBins);
  for (unsigned y = 0; y < height; ++y) {
    Window w{0, 0, y > radius ? y - radius : 0, std::min(y + radius, height - 1)};
    unsigned char* out = dest + std::ptrdiff_t{y} * destPitch;
    w.right = std::min(radius, width - 1);
    for (unsigned x = 0; x <= w.right; ++x) histogram.AddColumn(bins.data(), width, x, w.top, w.bottom);
    for (unsigned x = 0; x < width; ++x) {
      if (x > radius) histogram.RemoveColumn(bins.data(), width, w.left++, w.top, w.bottom);
      if (x > 0 && x + radius < width) histogram.AddColumn(bins.data(), width, ++w.right, w.top, w.bottom);
      const unsigned mode = histogram.Mode(bins.data(), width, w);
      if (bytesPerPixel == 3) {
        unsigned char* p = out + std::size_t{x} * 3;
        p[0] = static_cast<unsigned char>((mode >> 13) * 4 + 2);
        p[1] = static_cast<unsigned char>(((mode >> 6) & 0x7F) * 2 + 1);
        p[2] = static_cast<unsigned char>((mode & 0x3F) * 4 + 2);
      } else {
        out[x] = static_cast<unsigned char>(mode);
      }
    }
    for (unsigned x = w.left; x <= w.right; ++x) histogram.RemoveColumn(bins.data(), width, x, w.top, w.bottom);
  }
}

void ModeFilterSurface(IDirectDrawSurface* dest, IDirectDrawSurface* src, unsigned radius, unsigned width,
                       unsigned height) {
  XASSERT(dest, "");
  XASSERT(src, "");
  XASSERT(dest != src, "Must be unique surfaces since we write dest pixels that may be read again from source");
  XASSERT(radius, "Wasteful copy of source to destination");
  XASSERT(width && height, "Nothing to do");

  DDSURFACEDESC srcDesc = GetSurfaceDesc(src);
  DDSURFACEDESC destDesc = GetSurfaceDesc(dest);
  CheckDescription(srcDesc, "srcDesc");
  CheckDescription(destDesc, "destDesc");
  XASSERT_TEXT(!std::memcmp(&srcDesc.ddpfPixelFormat, &destDesc.ddpfPixelFormat, sizeof srcDesc.ddpfPixelFormat),
               "!memcmp( &srcDesc.ddpfPixelFormat, &destDesc.ddpfPixelFormat, sizeof srcDesc.ddpfPixelFormat )",
               "Source and destination do not have same color format");
  const unsigned bytesPerPixel = BytesPerPixelOf(srcDesc.ddpfPixelFormat);

  // From here on the descriptions are the locks', with their pitches and memory.
  XCHECK_DD_TEXT(src->Lock(NULL, &srcDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL),
                 "src->Lock( NULL, &surfDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )");
  XCHECK_DD_TEXT(dest->Lock(NULL, &destDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL),
                 "dest->Lock( NULL, &surfDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )");

  const unsigned ideal_filter_diameter = 2 * radius + 1;
  XASSERT(ideal_filter_diameter < 256, "Could overflow histogram WORD");

  ModeFilterPixels(DDFirstRow(destDesc), destDesc.lPitch, DDFirstRow(srcDesc), srcDesc.lPitch, bytesPerPixel, radius,
                   width, height);

  XCHECK_DD(dest->Unlock( destDesc.lpSurface ));
  XCHECK_DD(src->Unlock( srcDesc.lpSurface ));
}

void SinkPixels(unsigned char* pixels, std::ptrdiff_t pitch, unsigned bytesPerPixel, int direction, unsigned width,
                unsigned height) {
  if (height < 2) return;  // a single row has nowhere to sink to
  std::srand(1);
  const auto at = [&](unsigned x, unsigned y) { return pixels + std::ptrdiff_t{y} * pitch + std::ptrdiff_t{x} * bytesPerPixel; };
  for (std::size_t n = std::size_t{width} * height; n > 0; --n) {
    const unsigned x = static_cast<unsigned>(std::rand()) % width;
    for (unsigned y = static_cast<unsigned>(std::rand()) % (height - 1); y + 1 < height; ++y) {
      unsigned char* here = at(x, y);
      unsigned char* below = at(x, y + 1);
      const unsigned moving = Brightness(here, bytesPerPixel), next = Brightness(below, bytesPerPixel);
      if (direction == 0 ? next < moving : next > moving) break;
      std::swap_ranges(here, here + bytesPerPixel, below);
    }
  }
}

void SinkSurfacePixels(IDirectDrawSurface* src, IDirectDrawSurface*, int direction, unsigned width, unsigned height) {
  XASSERT(src, "");
  XASSERT(width && height, "Nothing to do");
  DDSURFACEDESC srcDesc = GetSurfaceDesc(src);
  CheckDescription(srcDesc, "srcDesc");
  const unsigned bytesPerPixel = BytesPerPixelOf(srcDesc.ddpfPixelFormat);
  XCHECK_DD(src->Lock( NULL, &srcDesc, DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL ));
  SinkPixels(DDFirstRow(srcDesc), srcDesc.lPitch, bytesPerPixel, direction, width, height);
  XCHECK_DD(src->Unlock( srcDesc.lpSurface ));
}
