// The renderer benchmarks' scene: a lit, Gouraud-shaded sphere of 20,000 triangles filling most
// of the view (or that sphere textured, or 50 small spheres), with lights and a camera, rendered
// into a 32-bit or 16-bit surface.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/d3drm/RenderStage.h"

namespace bench {

// A sphere of 2 x stacks x slices triangles, clockwise from outside, normals outward.
struct SphereData {
  std::vector<D3DRMVERTEX> vertices;
  std::vector<unsigned> faces;
};

inline SphereData MakeSphere(int stacks, int slices, float radius) {
  SphereData s;
  for (int i = 0; i <= stacks; ++i)
    for (int j = 0; j <= slices; ++j) {
      const double theta = std::numbers::pi * i / stacks, phi = 2 * std::numbers::pi * j / slices;
      const float x = float(std::sin(theta) * std::cos(phi)), y = float(std::cos(theta)),
                  z = float(std::sin(theta) * std::sin(phi));
      s.vertices.push_back({{radius * x, radius * y, radius * z}, {x, y, z}, float(j) / slices * 4,
                            float(i) / stacks * 2, 0xFFD0A070});
    }
  for (int i = 0; i < stacks; ++i)
    for (int j = 0; j < slices; ++j) {
      const unsigned a = i * (slices + 1) + j, b = a + slices + 1;
      s.faces.insert(s.faces.end(), {a, a + 1, b, a + 1, b + 1, b});
    }
  return s;
}

inline void AddSphere(IDirect3DRMMesh* mesh, int stacks, int slices, float radius) {
  const SphereData s = MakeSphere(stacks, slices, radius);
  D3DRMGROUPINDEX group = 0;
  mesh->AddGroup(static_cast<unsigned>(s.vertices.size()), static_cast<unsigned>(s.faces.size() / 3), 3,
                 s.faces.data(), &group);
  mesh->SetVertices(group, 0, static_cast<unsigned>(s.vertices.size()), s.vertices.data());
  mesh->SetGroupQuality(group, D3DRMRENDER_PHONG);
}

enum class Scene { LitSphere, TexturedSphere, FiftySpheres };

// Built as the renderer tests build their view (RenderStage).
class RenderBenchScene {
 public:
  RenderBenchScene(DWORD width, DWORD height, DWORD bits, Scene kind) {
    Direct3DRMCreate(rm_.put());
    stage_.Open();
    stage_.Build(rm_.get(), width, height, bits == 16 ? DDFormat::RGB565 : DDFormat::XRGB8888, 0xFFC0C0C0);
    D3DRMMATRIX4D at = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, -kCameraDistance, 1}};
    stage_.camera->AddTransform(D3DRMCOMBINE_REPLACE, at);
    stage_.viewport->SetFront(0.1f);
    stage_.viewport->SetBack(500.0f);
    stage_.viewport->SetField(0.035f);
    AddLights();
    if (kind == Scene::FiftySpheres)
      AddSmallSpheres();
    else
      AddBigSphere(kind == Scene::TexturedSphere);
  }
  ~RenderBenchScene() { stage_.Close(); }
  RenderBenchScene(const RenderBenchScene&) = delete;
  RenderBenchScene& operator=(const RenderBenchScene&) = delete;

  void Frame() {
    stage_.viewport->Clear();
    stage_.viewport->Render(stage_.scene.get());
  }

  IDirect3DRMDevice* Device() const { return stage_.device.get(); }
  IDirect3DRMViewport* Viewport() const { return stage_.viewport.get(); }
  // The big sphere lies at the origin; the camera stands at (0, 0, -kCameraDistance) looking along +z.
  static constexpr float kCameraDistance = 3.2f;

 private:
  void AddLights() {
    ComPtr<IDirect3DRMLight> ambient, sun;
    rm_->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.3f, 0.3f, 0.3f, ambient.put());
    rm_->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 0.8f, 0.8f, 0.8f, sun.put());
    stage_.scene->AddLight(ambient.get());
    ComPtr<IDirect3DRMFrame> sunFrame;
    rm_->CreateFrame(stage_.scene.get(), sunFrame.put());
    sunFrame->AddRotation(D3DRMCOMBINE_REPLACE, 1, 0, 0, 0.6f);
    sunFrame->AddLight(sun.get());
  }

  void AddBigSphere(bool textured) {
    ComPtr<IDirect3DRMMesh> mesh;
    rm_->CreateMesh(mesh.put());
    AddSphere(mesh.get(), 100, 100, 1.0f);
    if (textured) {
      ComPtr<IDirect3DRMTexture> texture = stage_.TextureOf(
          rm_.get(), 256, 256, [](DWORD x, DWORD y) -> std::uint32_t { return ((x ^ y) & 32) ? 0xFFFFFF : 0x4080C0; });
      mesh->SetGroupColor(0, 0xFFFFFFFF);
      mesh->SetGroupTexture(0, texture.get());
    }
    stage_.scene->AddVisual(mesh.get());
  }

  // 50 spheres of 400 triangles each, in a 10 x 5 grid across the view.
  void AddSmallSpheres() {
    ComPtr<IDirect3DRMMesh> mesh;
    rm_->CreateMesh(mesh.put());
    AddSphere(mesh.get(), 10, 20, 0.05f);
    for (int i = 0; i < 50; ++i) {
      ComPtr<IDirect3DRMFrame> place;
      rm_->CreateFrame(stage_.scene.get(), place.put());
      D3DRMMATRIX4D at = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {-0.9f + 0.2f * (i % 10), -0.4f + 0.2f * (i / 10), 0, 1}};
      place->AddTransform(D3DRMCOMBINE_REPLACE, at);
      place->AddVisual(mesh.get());
    }
  }

  ComPtr<IDirect3DRM> rm_;
  RenderStage stage_;
};

}  // namespace bench
