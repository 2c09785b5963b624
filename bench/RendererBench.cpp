// Clearing and rendering whole frames: a lit, Gouraud-shaded sphere of 20,000 triangles filling
// most of the view, the same sphere textured, and 50 small spheres, at 640x480 and 1280x960 into
// 32-bit and 16-bit surfaces, and at 2560x1920 into a 32-bit one. Arguments: width, height, bits per pixel.
#include <benchmark/benchmark.h>

#include "RendererBenchScene.h"

namespace {

using bench::RenderBenchScene;
using bench::Scene;

void RenderFrames(benchmark::State& state, Scene kind) {
  RenderBenchScene bench(static_cast<DWORD>(state.range(0)), static_cast<DWORD>(state.range(1)),
              static_cast<DWORD>(state.range(2)), kind);
  for (auto _ : state) bench.Frame();
}

void RenderLitSphere(benchmark::State& state) { RenderFrames(state, Scene::LitSphere); }
void RenderTexturedSphere(benchmark::State& state) { RenderFrames(state, Scene::TexturedSphere); }
void RenderFiftySpheres(benchmark::State& state) { RenderFrames(state, Scene::FiftySpheres); }

void Sizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"w", "h", "bits"})->Unit(benchmark::kMillisecond);
  for (const auto& size : {std::pair{640, 480}, {1280, 960}})
    for (int bits : {32, 16}) b->Args({size.first, size.second, bits});
  b->Args({2560, 1920, 32});  // colour and depth no longer fit in the cache
}

BENCHMARK(RenderLitSphere)->Apply(Sizes);
BENCHMARK(RenderTexturedSphere)->Apply(Sizes);
BENCHMARK(RenderFiftySpheres)->Apply(Sizes);

}  // namespace
