// Frames: the nodes of the scene tree, with their children, visuals, lights, local transform and,
// for a scene's root, the background.
#pragma once

#include <vector>

#include "platform/d3drm/Matrix.h"
#include "platform/d3drm/ObjectImpl.h"
#include "platform/win/ComPtr.h"

namespace d3drm {

class Light;
class Texture;

class Frame final : public ObjectImpl<IDirect3DRMFrame> {
 public:
  // A new parentless frame with the identity transform; the caller owns the one reference.
  static Frame* Create(RegistryHandle registry);
  // This layer's frame behind an interface, or null for any other object.
  static Frame* From(IDirect3DRMFrame* frame);

  HRESULT AddChild(IDirect3DRMFrame* child) override;
  HRESULT DeleteChild(IDirect3DRMFrame* child) override;
  HRESULT AddVisual(IDirect3DRMVisual* visual) override;
  HRESULT DeleteVisual(IDirect3DRMVisual* visual) override;
  HRESULT AddLight(IDirect3DRMLight* light) override;
  HRESULT DeleteLight(IDirect3DRMLight* light) override;
  HRESULT AddTransform(D3DRMCOMBINETYPE combine, const D3DRMMATRIX4D matrix) override;
  HRESULT GetTransform(D3DRMMATRIX4D matrix) override;
  HRESULT AddRotation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) override;
  HRESULT GetChildren(IDirect3DRMFrameArray** children) override;
  HRESULT GetVisuals(IDirect3DRMVisualArray** visuals) override;
  HRESULT GetLights(IDirect3DRMLightArray** lights) override;
  HRESULT SetSceneBackground(D3DCOLOR color) override;
  D3DCOLOR GetSceneBackground() override;
  HRESULT SetSceneBackgroundImage(IDirect3DRMTexture* texture) override;

  // What the renderer walks. Lists keep the order of addition.
  Frame* parent() const { return parent_; }
  const std::vector<ComPtr<Frame>>& children() const { return children_; }
  const std::vector<ComPtr<IDirect3DRMVisual>>& visuals() const { return visuals_; }
  const std::vector<ComPtr<Light>>& lights() const { return lights_; }
  const Matrix4& transform() const { return transform_; }
  // Local to world: this frame's transform, then each ancestor's up to the root.
  Matrix4 WorldTransform() const;
  // True for `ancestor` itself and every frame below it.
  bool IsWithin(const Frame* ancestor) const;
  D3DCOLOR sceneBackground() const { return background_; }
  Texture* sceneBackgroundImage() const { return backgroundImage_.get(); }

  // Lights whose enable frame this is; the frame clears their links when it goes.
  void LinkEnabledLight(Light* light);
  void UnlinkEnabledLight(Light* light);

 private:
  explicit Frame(RegistryHandle registry);
  ~Frame() override;
  bool Implements(REFIID riid) const override;

  Frame* parent_ = nullptr;
  std::vector<ComPtr<Frame>> children_;
  std::vector<ComPtr<IDirect3DRMVisual>> visuals_;
  std::vector<ComPtr<Light>> lights_;
  Matrix4 transform_ = Matrix4::Identity();
  D3DCOLOR background_ = 0;
  ComPtr<Texture> backgroundImage_;
  std::vector<Light*> enabledLights_;
};

}  // namespace d3drm
