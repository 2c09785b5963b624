// Retained-mode viewports: a camera frame looking onto a rectangle of a device, with its front and
// back planes, field and projection; clearing, rendering, picking and the screen transforms.
#pragma once

#include "platform/d3drm/Device.h"
#include "platform/d3drm/Frame.h"
#include "platform/d3drm/render/Projection.h"
#include "platform/d3drm/render/Renderer.h"

namespace d3drm {

class Viewport final : public ObjectImpl<IDirect3DRMViewport> {
 public:
  // The rectangle must lie inside the device. A new viewport has front 1, back 100, field 0.5
  // and a perspective projection.
  static HRESULT Create(RegistryHandle registry, IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x,
                        DWORD y, DWORD width, DWORD height, IDirect3DRMViewport** viewport);

  HRESULT Clear() override;
  HRESULT Render(IDirect3DRMFrame* frame) override;
  HRESULT ForceUpdate(DWORD x1, DWORD y1, DWORD x2, DWORD y2) override;
  HRESULT SetFront(D3DVALUE front) override;
  HRESULT SetBack(D3DVALUE back) override;
  HRESULT SetField(D3DVALUE field) override;
  HRESULT SetProjection(D3DRMPROJECTIONTYPE type) override;
  D3DVALUE GetFront() override { return settings_.front; }
  D3DVALUE GetBack() override { return settings_.back; }
  D3DVALUE GetField() override { return settings_.field; }
  D3DRMPROJECTIONTYPE GetProjection() override { return settings_.projection; }
  LONG GetX() override { return settings_.x; }
  LONG GetY() override { return settings_.y; }
  DWORD GetWidth() override { return settings_.width; }
  DWORD GetHeight() override { return settings_.height; }
  HRESULT GetCamera(IDirect3DRMFrame** camera) override;
  HRESULT Transform(D3DRMVECTOR4D* result, D3DVECTOR* world) override;
  HRESULT InverseTransform(D3DVECTOR* world, D3DRMVECTOR4D* screen) override;
  HRESULT GetDirect3DViewport(IDirect3DViewport** viewport) override;
  // Whether the camera's world transform has an inverse (D3DRMViewportSeesThrough).
  bool SeesThrough() const;

 private:
  Viewport(RegistryHandle registry, Device* device, Frame* camera, const ViewSettings& settings);
  ~Viewport() override = default;
  bool Implements(REFIID riid) const override;

  // The camera's world transform and its inverse; false when it cannot be inverted.
  bool CameraTransforms(Matrix4* cameraToWorld, Matrix4* worldToCamera) const;
  // The topmost frame above the camera: the scene it sees.
  Frame* Scene() const;
  PixelRect Rect() const;

  ComPtr<Device> device_;
  ComPtr<Frame> camera_;
  ComPtr<ImmediateViewport> direct3D_;
  ViewSettings settings_;
  SceneRenderer renderer_;
};

}  // namespace d3drm
