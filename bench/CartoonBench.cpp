// Cartoon lines of the renderer benchmark's lit sphere of 20,000 triangles: the render followed by
// its silhouette and surface lines at 640x480 and 1280x960 (32-bit), and the sphere's edge data.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "RendererBenchScene.h"
#include "scene/CartoonEdges.h"
#include "scene/CartoonLines.h"

namespace {

using bench::RenderBenchScene;

void RenderWithCartoonLines(benchmark::State& state) {
  const DWORD width = static_cast<DWORD>(state.range(0)), height = static_cast<DWORD>(state.range(1));
  RenderBenchScene scene(width, height, 32, bench::Scene::LitSphere);
  const bench::SphereData sphere = bench::MakeSphere(100, 100, 1.0f);
  const DWORD vCount = static_cast<DWORD>(sphere.vertices.size()), fCount = static_cast<DWORD>(sphere.faces.size() / 3);
  const CartoonEdgeData edges =
      BuildCartoonEdgeData({{sphere.vertices.data(), vCount, sphere.faces.data(), fCount, 0}});
  IUPtr<IDirect3DRMDevice> device(scene.Device());
  IUPtr<IDirect3DRMViewport> viewport(scene.Viewport());
  Transform toCamera;
  toCamera.t[2] = RenderBenchScene::kCameraDistance;
  const Transform toWorld;
  const D3DVECTOR viewer{0, 0, -RenderBenchScene::kCameraDistance}, direction{0, 0, 1};
  const double front = viewport->GetFront(), back = viewport->GetBack(), a = back / (back - front);
  const CartoonProjection projection{a, a * front, width * 0.5, height * 0.5,
                                     std::max(width, height) * 0.5 / viewport->GetField() * front};
  std::vector<DWORD> faces(sphere.faces.size());
  for (auto _ : state) {
    scene.Frame();
    std::copy(sphere.faces.begin(), sphere.faces.end(), faces.begin());
    DrawCartoonLines(device, viewport, toWorld, toCamera, viewer, direction, sphere.vertices.data(), faces.data(),
                     edges.faceNormals.data(), edges.weldMap.data(), edges.numShared, vCount, fCount, 2.0, 0xFF000000,
                     FALSE, projection);
    DrawCartoonQuads(device, viewport, toWorld, toCamera, viewer, direction, sphere.vertices.data(),
                     edges.faceNormals.data(), vCount, edges.surfEdges.data(), edges.surfEdgeFaces.data(),
                     edges.numEdges, 2.0, 0xFF000000, FALSE, projection);
  }
}

void BuildSphereEdgeData(benchmark::State& state) {
  const bench::SphereData sphere = bench::MakeSphere(100, 100, 1.0f);
  const CartoonGroup group{sphere.vertices.data(), static_cast<DWORD>(sphere.vertices.size()), sphere.faces.data(),
                           static_cast<DWORD>(sphere.faces.size() / 3), 0};
  for (auto _ : state) benchmark::DoNotOptimize(BuildCartoonEdgeData({group}));
}

BENCHMARK(RenderWithCartoonLines)
    ->ArgNames({"w", "h"})
    ->Args({640, 480})
    ->Args({1280, 960})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BuildSphereEdgeData)->Unit(benchmark::kMillisecond);

}  // namespace
