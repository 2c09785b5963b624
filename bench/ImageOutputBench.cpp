// A camera window's picture leaving it: Improve Camera Image of a 640x480 window (a 1280x960
// render with cartoon lines and blur, the window's normal render, the 2x2 averaging), and an
// improved 1600x1200 export: the averaging of a 3200x2400 render into BMP bytes, alone and with
// the file written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/FileReplace.h"
#include "platform/win/QtTestApplication.h"
#include "views/DibBytes.h"
#include "views/CylinderRowsWindow.h"

namespace {

void ImproveCameraImage(benchmark::State& state) {
  QtTestApplication qt;
  StandAloneApp app;
  CylinderRowsWindow shown(250, {0, 0, 1400, 1100}, WS_VISIBLE, 640, 480);  // 1,000 triangles each
  X3DView& view = shown.view;
  shown.LookAlongTheRowsBlurred();
  view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  for (auto _ : state) {
    view.improved = FALSE;
    view.OnImproveCameraImage();
  }
}
BENCHMARK(ImproveCameraImage)->Unit(benchmark::kMillisecond);

// state.range(0): 1 to write the file as well.
void ExportImprovedBitmap(benchmark::State& state) {
  constexpr int kWidth = 1600, kHeight = 1200;
  constexpr long kPitch = 3 * 2 * kWidth;
  std::vector<BYTE> render(static_cast<std::size_t>(kPitch) * 2 * kHeight);
  for (std::size_t i = 0; i < render.size(); ++i) render[i] = static_cast<BYTE>(i * 7 + i / kPitch);
  const char* tmp = std::getenv("TMPDIR");
  const std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/tavrolin-export-bench.bmp";
  for (auto _ : state) {
    std::vector<BYTE> file(kBitmapFileHeaderSize + DibSize(kWidth, kHeight));
    WriteBitmapFileHeader(file.data(), DibSize(kWidth, kHeight));
    WriteBitmapInfoHeader(file.data() + kBitmapFileHeaderSize, kWidth, kHeight, 3780, 3780);
    PackDibRows(file.data() + kBitmapFileHeaderSize + kBitmapInfoHeaderSize, render.data(), kPitch, kWidth, kHeight,
                true);
    if (state.range(0) &&
        !ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size())))
      state.SkipWithError("cannot write");
    benchmark::DoNotOptimize(file.data());
  }
  std::remove(path.c_str());
}
BENCHMARK(ExportImprovedBitmap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
