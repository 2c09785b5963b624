// Loading a large text .x mesh into a mesh builder and making its mesh.
#include <benchmark/benchmark.h>

#include <string>

#include "SphereText.h"
#include "platform/d3drm/D3DRM.h"

namespace {

void LoadTextSphere(benchmark::State& state) {
  const std::string text = SphereText(100, 100);
  IDirect3DRM* rm = nullptr;
  Direct3DRMCreate(&rm);
  for (auto _ : state) {
    IDirect3DRMMeshBuilder* builder = nullptr;
    rm->CreateMeshBuilder(&builder);
    D3DRMLOADMEMORY memory{const_cast<char*>(text.data()), static_cast<DWORD>(text.size())};
    if (builder->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, nullptr, nullptr) != D3DRM_OK)
      state.SkipWithError("load");
    IDirect3DRMMesh* mesh = nullptr;
    builder->CreateMesh(&mesh);
    benchmark::DoNotOptimize(mesh->GetGroupCount());
    mesh->Release();
    builder->Release();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["triangles"] = 20000;
  rm->Release();
}
BENCHMARK(LoadTextSphere)->Unit(benchmark::kMillisecond);

}  // namespace
