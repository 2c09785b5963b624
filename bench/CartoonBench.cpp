// Cartoon lines of the renderer benchmark's lit sphere of 20,000 triangles: the render followed by
// its silhouette and surface lines at 640x480 and 1280x960 (32-bit), the sphere's edge data, and
// 1,000 picks of that sphere loaded as a mesh object.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "BenchApp.h"
#include "RendererBenchScene.h"
#include "SphereText.h"
#include "scene/CartoonEdges.h"
#include "scene/CartoonLines.h"
#include "scene/MeshSO.h"

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
                                     std::max(width, height) * 0.5 / viewport->GetField() * front, front};
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

// 1,000 rays from the camera through a grid of points over the sphere, each picked through the
// mesh object loaded from text, as a click in a view picks.
void PickSphere(benchmark::State& state) {
  const std::string path = bench::App().folder / "pick-sphere.x";
  std::ofstream(path) << SphereText(100, 100);
  const Ptr<MeshSO> mesh = new MeshSO(path.c_str(), 0, nullptr, 0, 0);
  if (mesh->GetError() != SceneObj::none) return state.SkipWithError("load");
  const Vector origin(0, 0, -RenderBenchScene::kCameraDistance);
  std::vector<Vector> directions;
  for (int i = 0; i < 1000; ++i) {
    Vector d(-0.3 + 0.6 * (i % 40) / 39.0, -0.3 + 0.6 * (i / 40) / 24.0, RenderBenchScene::kCameraDistance);
    directions.push_back(d.Normalize());
  }
  int hits = 0;
  for (auto _ : state)
    for (const Vector& d : directions) {
      double distance = 0;
      Vector point;
      D3DRMPICKDESC desc{};
      hits += mesh->Intersect(origin, d, distance, point, desc);
    }
  if (hits == 0) state.SkipWithError("no ray hit the sphere");
  state.counters["picks"] = 1000;
}

BENCHMARK(RenderWithCartoonLines)
    ->ArgNames({"w", "h"})
    ->Args({640, 480})
    ->Args({1280, 960})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BuildSphereEdgeData)->Unit(benchmark::kMillisecond);
BENCHMARK(PickSphere)->Unit(benchmark::kMicrosecond);

}  // namespace
