#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "dof/AperturePlanes.h"
#include "dof/ApertureLevels.h"
#include "dof/ApertureMaps.h"
#include "dof/ApertureScratch.h"

// The depth-of-field blur of a rendered picture (640x480 or 1280x960, with the 7-pixel band around
// it in the source), measured against a plain copy of the bytes it touches.
namespace {

struct Picture {
  Picture(DWORD width, DWORD height, unsigned bytes)
      : srcWidth(width + 2 * NO_BLUR_BAND_SZ),
        srcHeight(height + 2 * NO_BLUR_BAND_SZ),
        bytes(bytes),
        src(srcWidth * srcHeight * bytes),
        dest(width * height * bytes),
        zBuf(srcWidth * srcHeight) {
    std::mt19937 rng(1);
    for (BYTE& b : src) b = static_cast<BYTE>(rng());
    // A scene 0.1 to 100 m deep: a floor receding from 0.5 m at the bottom towards the horizon,
    // three balls standing on it at 1, 2 and 8 m, and nothing drawn (65535) across the top fifth;
    // depths as the z-buffer stores them.
    const double D = 0.1, F = 100, K = 65535 * (F / (F - D));
    for (DWORD y = 0; y < srcHeight; ++y) {
      for (DWORD x = 0; x < srcWidth; ++x) {
        const double down = (y + 0.5) / srcHeight;  // 0 at the top, 1 at the bottom
        double u = down > 0.2 ? std::min(0.4 / (down - 0.2), 90.0) : 90.0;
        for (int object = 0; object < 3; ++object) {
          const double cx = srcWidth * (0.25 + 0.25 * object), cy = srcHeight * 0.55, r = srcHeight * 0.18;
          const double distance = object == 2 ? 8 : object + 1.0, radius = distance / 4;
          const double rest = r * r - (x - cx) * (x - cx) - (y - cy) * (y - cy);
          if (rest > 0) u = distance - radius * std::sqrt(rest) / r;
        }
        zBuf[y * srcWidth + x] = y < srcHeight / 5 ? 65535 : static_cast<WORD>(std::min(K - K * D / u, 65534.0));
      }
    }
  }

  // The blur's scratch buffers are made once, as a camera window keeps them from frame to frame.
  ApertureJob Job(const WORD* map) {
    const LONG srcPitch = static_cast<LONG>(srcWidth * bytes);
    const std::size_t entries = ApertureScratchEntries(srcWidth, srcHeight, ApertureHighestLevel(map));
    for (std::vector<DWORD>& buffer : scratch) buffer.assign(entries, 0);
    return {{src.data(), srcPitch, srcWidth, srcHeight},
            {dest.data(), static_cast<LONG>((srcWidth - 14) * bytes), srcWidth - 14, srcHeight - 14},
            {reinterpret_cast<BYTE*>(zBuf.data()), static_cast<LONG>(srcWidth * 2), srcWidth, srcHeight},
            2,
            map,
            {scratch[0].data(), scratch[1].data(), scratch[2].data()}};
  }

  std::size_t Bytes() const { return src.size() + dest.size() + zBuf.size() * sizeof(WORD); }

  DWORD srcWidth, srcHeight;
  unsigned bytes;
  std::vector<BYTE> src, dest;
  std::vector<WORD> zBuf;
  std::vector<DWORD> scratch[3];
};

// Levels 0 to 13 in bands of depth, each band holding an equal share of the drawn pixels, and
// level 0 where nothing was drawn; or one level everywhere.
std::vector<WORD> MakeMap(int level, const Picture& picture) {
  std::vector<WORD> map(kApertureMapSize, static_cast<WORD>(level));
  if (level < 0) {
    std::vector<WORD> depths;
    for (WORD z : picture.zBuf)
      if (z != 65535) depths.push_back(z);
    std::sort(depths.begin(), depths.end());
    for (unsigned n = 0; n < kApertureTableLevels; ++n) {
      const unsigned from = depths[depths.size() * n / kApertureTableLevels];
      std::fill(map.begin() + from, map.end(), static_cast<WORD>(n));
    }
    map[kApertureMapSize - 1] = 0;
  }
  return map;
}

// How many pixels of the picture have each level.
std::vector<int> LevelCounts(const Picture& picture, const std::vector<WORD>& map) {
  std::vector<int> counts(kApertureTableLevels);
  for (DWORD y = NO_BLUR_BAND_SZ; y < picture.srcHeight - NO_BLUR_BAND_SZ; ++y)
    for (DWORD x = NO_BLUR_BAND_SZ; x < picture.srcWidth - NO_BLUR_BAND_SZ; ++x)
      if (const WORD level = map[picture.zBuf[y * picture.srcWidth + x]]; level < kApertureTableLevels)
        ++counts[level];
  return counts;
}

void BlurBench(benchmark::State& state, void (*blur)(const ApertureJob&), unsigned bytes, DWORD width, int level) {
  Picture picture(width, width * 3 / 4, bytes);
  const std::vector<WORD> map = MakeMap(level, picture);
  const ApertureJob job = picture.Job(map.data());
  if (level < 0) {
    // The share of the picture at each level, in per cent.
    const std::vector<int> counts = LevelCounts(picture, map);
    for (unsigned n = 0; n < kApertureTableLevels; ++n)
      state.counters[std::string("L").append(std::to_string(n))] = 100.0 * counts[n] / (width * (width * 3 / 4));
  }
  for (auto _ : state) {
    blur(job);
    benchmark::DoNotOptimize(picture.dest.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.Bytes()));
}

// The memory-bandwidth floor: copy the source, the z-buffer and the destination once each.
void CopyBench(benchmark::State& state, unsigned bytes, DWORD width) {
  Picture picture(width, width * 3 / 4, bytes);
  std::vector<BYTE> copy(picture.Bytes());
  for (auto _ : state) {
    BYTE* to = copy.data();
    std::memcpy(to, picture.src.data(), picture.src.size());
    to += picture.src.size();
    std::memcpy(to, picture.zBuf.data(), picture.zBuf.size() * sizeof(WORD));
    to += picture.zBuf.size() * sizeof(WORD);
    std::memcpy(to, picture.dest.data(), picture.dest.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.Bytes()));
}

struct Format {
  const char* name;
  unsigned bytes;
  void (*blur)(const ApertureJob&);
};

const bool registered = [] {
  const Format formats[] = {{"32bit", 4, &ApertureBlurPlanes<PixelRgb32>},
                            {"24bit", 3, &ApertureBlurPlanes<PixelRgb24>},
                            {"555", 2, &ApertureBlurPlanes<PixelRgb555>},
                            {"565", 2, &ApertureBlurPlanes<PixelRgb565>}};
  for (DWORD width : {640u, 1280u}) {
    const std::string size = std::to_string(width) + "x" + std::to_string(width * 3 / 4);
    for (const Format& f : formats) {
      const std::string suffix = std::string("/").append(f.name).append("/").append(size);
      benchmark::RegisterBenchmark(std::string("ApertureCopy").append(suffix).c_str(), CopyBench, f.bytes, width)
          ->Unit(benchmark::kMicrosecond);
      for (int level : {-1, 0, 1, 7, 13, 40}) {
        const std::string map = level < 0 ? "mixed0-13" : std::string("level").append(std::to_string(level));
        const std::string name = std::string("ApertureBlur").append(suffix).append("/").append(map);
        benchmark::RegisterBenchmark(name.c_str(), BlurBench, f.blur, f.bytes, width, level)
            ->Unit(benchmark::kMicrosecond);
      }
    }
  }
  return true;
}();

}  // namespace
