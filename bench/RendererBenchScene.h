// The renderer benchmarks' scene: a lit, Gouraud-shaded sphere of 20,000 triangles filling most
// of the view (or that sphere textured, or 50 small spheres), with lights and a camera, rendered
// into a 32-bit or 16-bit surface.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "platform/d3drm/D3DRM.h"
#include "platform/ddraw/DirectDraw.h"

namespace bench {


template <class T>
struct Held {
  T* object = nullptr;
  ~Held() {
    if (object) object->Release();
  }
  T** operator&() { return &object; }
  T* operator->() const { return object; }
  T* get() const { return object; }
};

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

class RenderBenchScene {
 public:
  RenderBenchScene(DWORD width, DWORD height, DWORD bits, Scene kind) {
    DirectDrawCreate(nullptr, &dd_, nullptr);
    Direct3DRMCreate(&rm_);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
    desc.ddpfPixelFormat = DDMakePixelFormat(bits == 16 ? DDFormat::RGB565 : DDFormat::XRGB8888);
    dd_->CreateSurface(&desc, &surface_, nullptr);
    rm_->CreateDeviceFromSurface(nullptr, dd_.get(), surface_.get(), &device_);
    device_->SetQuality(D3DRMRENDER_PHONG);
    rm_->CreateFrame(nullptr, &scene_);
    scene_->SetSceneBackground(0xFFC0C0C0);
    rm_->CreateFrame(scene_.get(), &camera_);
    D3DRMMATRIX4D at = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, -kCameraDistance, 1}};
    camera_->AddTransform(D3DRMCOMBINE_REPLACE, at);
    rm_->CreateViewport(device_.get(), camera_.get(), 0, 0, width, height, &viewport_);
    viewport_->SetFront(0.1f);
    viewport_->SetBack(500.0f);
    viewport_->SetField(0.035f);
    AddLights();
    if (kind == Scene::FiftySpheres)
      AddSmallSpheres();
    else
      AddBigSphere(kind == Scene::TexturedSphere);
  }

  void Frame() {
    viewport_->Clear();
    viewport_->Render(scene_.get());
  }

  IDirect3DRMDevice* Device() const { return device_.get(); }
  IDirect3DRMViewport* Viewport() const { return viewport_.get(); }
  // The big sphere lies at the origin; the camera stands at (0, 0, -kCameraDistance) looking along +z.
  static constexpr float kCameraDistance = 3.2f;

 private:
  void AddLights() {
    Held<IDirect3DRMLight> ambient, sun;
    rm_->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.3f, 0.3f, 0.3f, &ambient);
    rm_->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 0.8f, 0.8f, 0.8f, &sun);
    scene_->AddLight(ambient.get());
    Held<IDirect3DRMFrame> sunFrame;
    rm_->CreateFrame(scene_.get(), &sunFrame);
    sunFrame->AddRotation(D3DRMCOMBINE_REPLACE, 1, 0, 0, 0.6f);
    sunFrame->AddLight(sun.get());
  }

  void AddBigSphere(bool textured) {
    Held<IDirect3DRMMesh> mesh;
    rm_->CreateMesh(&mesh);
    AddSphere(mesh.get(), 100, 100, 1.0f);
    if (textured) {
      DDSURFACEDESC desc{};
      desc.dwSize = sizeof desc;
      desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
      desc.dwWidth = desc.dwHeight = 256;
      desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
      desc.ddpfPixelFormat = DDMakePixelFormat(DDFormat::XRGB8888);
      Held<IDirectDrawSurface> picture;
      dd_->CreateSurface(&desc, &picture, nullptr);
      picture->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
      for (DWORD y = 0; y < 256; ++y)
        for (DWORD x = 0; x < 256; ++x)
          reinterpret_cast<std::uint32_t*>(DDFirstRow(desc) + y * desc.lPitch)[x] = ((x ^ y) & 32) ? 0xFFFFFF : 0x4080C0;
      picture->Unlock(nullptr);
      Held<IDirect3DRMTexture> texture;
      rm_->CreateTextureFromSurface(picture.get(), &texture);
      mesh->SetGroupColor(0, 0xFFFFFFFF);
      mesh->SetGroupTexture(0, texture.get());
    }
    scene_->AddVisual(mesh.get());
  }

  // 50 spheres of 400 triangles each, in a 10 x 5 grid across the view.
  void AddSmallSpheres() {
    Held<IDirect3DRMMesh> mesh;
    rm_->CreateMesh(&mesh);
    AddSphere(mesh.get(), 10, 20, 0.05f);
    for (int i = 0; i < 50; ++i) {
      Held<IDirect3DRMFrame> place;
      rm_->CreateFrame(scene_.get(), &place);
      D3DRMMATRIX4D at = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {-0.9f + 0.2f * (i % 10), -0.4f + 0.2f * (i / 10), 0, 1}};
      place->AddTransform(D3DRMCOMBINE_REPLACE, at);
      place->AddVisual(mesh.get());
    }
  }

  Held<IDirectDraw> dd_;
  Held<IDirect3DRM> rm_;
  Held<IDirectDrawSurface> surface_;
  Held<IDirect3DRMDevice> device_;
  Held<IDirect3DRMFrame> scene_;
  Held<IDirect3DRMFrame> camera_;
  Held<IDirect3DRMViewport> viewport_;
};

}  // namespace bench
