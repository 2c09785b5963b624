// Loading a large text .x mesh into a mesh builder and making its mesh.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "platform/d3drm/D3DRM.h"
#include "platform/win/ComPtr.h"

namespace {

// A sphere of stacks x slices quads (2 * stacks * slices triangles) with normals and texture
// coordinates, written as a converter would write it.
std::string SphereText(int stacks, int slices) {
  std::string vertices, normals, uvs, faces;
  char line[128];
  const int rings = stacks + 1, columns = slices + 1;
  for (int i = 0; i < rings; ++i)
    for (int j = 0; j < columns; ++j) {
      const double theta = std::numbers::pi * i / stacks, phi = 2 * std::numbers::pi * j / slices;
      const double x = std::sin(theta) * std::cos(phi), y = std::cos(theta), z = std::sin(theta) * std::sin(phi);
      std::snprintf(line, sizeof line, "%f;%f;%f;,\n", x, y, z);
      vertices += line;
      normals += line;
      std::snprintf(line, sizeof line, "%f;%f;,\n", double(j) / slices, double(i) / stacks);
      uvs += line;
    }
  for (int i = 0; i < stacks; ++i)
    for (int j = 0; j < slices; ++j) {
      const int a = i * columns + j, b = a + columns;
      std::snprintf(line, sizeof line, "3;%d,%d,%d;,\n3;%d,%d,%d;,\n", a, b, a + 1, a + 1, b, b + 1);
      faces += line;
    }
  const std::string count = std::to_string(rings * columns), faceCount = std::to_string(2 * stacks * slices);
  return "xof 0302txt 0032\nMesh Sphere {\n" + count + ";\n" + vertices + ";\n" + faceCount + ";\n" + faces +
         ";\nMeshNormals {\n" + count + ";\n" + normals + ";\n" + faceCount + ";\n" +
         faces +  // normal i belongs to vertex i

         ";\n}\nMeshTextureCoords {\n" + count + ";\n" + uvs + ";\n}\n}\n";
}

void LoadTextSphere(benchmark::State& state) {
  const std::string text = SphereText(100, 100);
  ComPtr<IDirect3DRM> rm;
  Direct3DRMCreate(rm.put());
  for (auto _ : state) {
    ComPtr<IDirect3DRMMeshBuilder> builder;
    rm->CreateMeshBuilder(builder.put());
    D3DRMLOADMEMORY memory{const_cast<char*>(text.data()), static_cast<DWORD>(text.size())};
    if (builder->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, nullptr, nullptr) != D3DRM_OK)
      state.SkipWithError("load");
    ComPtr<IDirect3DRMMesh> mesh;
    builder->CreateMesh(mesh.put());
    benchmark::DoNotOptimize(mesh->GetGroupCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["triangles"] = 20000;
}
BENCHMARK(LoadTextSphere)->Unit(benchmark::kMillisecond);

}  // namespace
