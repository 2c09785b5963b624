// Loading a large text .x mesh into a mesh builder and making its mesh.
#include <benchmark/benchmark.h>

#include <string>

#include "SphereText.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/win/ComPtr.h"

namespace {

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
