// Loading objects through the mesh object (file reading, builder, scaling, the copy into groups
// and the part setup), and JPEG textures through the texture callback in each style.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "BenchApp.h"
#include "SphereText.h"
#include "core/Globals.h"
#include "scene/MeshSO.h"
#include "scene/TextureLoad.h"

// After the program's headers: libjpeg defines TRUE and FALSE as macros.
#include <jpeglib.h>

namespace {

using bench::App;

void LoadMeshObject(benchmark::State& state) {
  const std::string path = App().folder / "sphere.x";
  std::ofstream(path) << SphereText(100, 100);
  for (auto _ : state) {
    Ptr<MeshSO> mesh = new MeshSO(path.c_str(), 0, nullptr, 0, static_cast<BOOL>(state.range(0)));
    if (mesh->GetError() != SceneObj::none) state.SkipWithError("load");
  }
  state.counters["triangles"] = 20000;
}
BENCHMARK(LoadMeshObject)->ArgName("twoSided")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A 512 x 512 photograph-like picture: smooth gradients with fine noise.
std::string WritePicture() {
  const std::string path = App().folder / "picture.jpg";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, file);
  c.image_width = c.image_height = 512;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 85, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(512 * 3);
  unsigned noise = 1;
  for (unsigned y = 0; y < 512; ++y) {
    for (unsigned x = 0; x < 512; ++x) {
      noise = noise * 1103515245u + 12345u;
      row[x * 3] = static_cast<JSAMPLE>(x / 2 + (noise >> 28));
      row[x * 3 + 1] = static_cast<JSAMPLE>(y / 2 + (noise >> 24 & 7));
      row[x * 3 + 2] = static_cast<JSAMPLE>((x + y) / 4);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::fclose(file);
  return path;
}

// Arguments: style, brush, and 1 for 256 colours (the default preference) or 0 for 24-bit.
void LoadJpegTexture(benchmark::State& state) {
  App().profile.WriteProfileString("Interactive", "ObjectQuality256Colors(yes/no)", state.range(2) ? "yes" : "no");
  InitGlobals();
  std::string path = WritePicture();
  TextureLoadInfo info;
  info.load = 1;
  info.style = static_cast<LONG>(state.range(0));
  info.brushSize = static_cast<LONG>(state.range(1));
  for (auto _ : state) {
    IDirect3DRMTexture* texture = nullptr;
    if (LoadTextureCallback(path.data(), &info, &texture) != D3DRM_OK) state.SkipWithError("texture");
    if (texture) texture->Release();
  }
}
BENCHMARK(LoadJpegTexture)
    ->ArgNames({"style", "brush", "256"})
    ->ArgsProduct({{0, 1, 2}, {3, 20}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
