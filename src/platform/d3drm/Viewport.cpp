#include "platform/d3drm/Viewport.h"

#include <cmath>

#include "platform/d3drm/Faults.h"
#include "platform/d3drm/render/Background.h"

namespace d3drm {

HRESULT Viewport::Create(RegistryHandle registry, IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x,
                         DWORD y, DWORD width, DWORD height, IDirect3DRMViewport** viewport) {
  if (!viewport) return D3DRMERR_BADVALUE;
  *viewport = nullptr;
  Device* ourDevice = Device::From(device);
  Frame* ourCamera = Frame::From(camera);
  if (!ourDevice || !ourCamera) return (device && camera) ? D3DRMERR_BADOBJECT : D3DRMERR_BADVALUE;
  if (width == 0 || height == 0 || std::uint64_t{x} + width > ourDevice->GetWidth() ||
      std::uint64_t{y} + height > ourDevice->GetHeight())
    return D3DRMERR_BADVALUE;
  ViewSettings settings;
  settings.x = static_cast<LONG>(x);
  settings.y = static_cast<LONG>(y);
  settings.width = width;
  settings.height = height;
  *viewport = new Viewport(std::move(registry), ourDevice, ourCamera, settings);
  return D3DRM_OK;
}

Viewport::Viewport(RegistryHandle registry, Device* device, Frame* camera, const ViewSettings& settings)
    : ObjectImpl(std::move(registry)), device_(device), camera_(camera), settings_(settings) {
  direct3D_ = ComPtr<ImmediateViewport>::adopt(ImmediateViewport::Create(device->direct3D(), Rect()));
}

bool Viewport::Implements(REFIID riid) const {
  return AnyOf(riid, {&IID_IUnknown, &IID_IDirect3DRMObject, &IID_IDirect3DRMViewport});
}

PixelRect Viewport::Rect() const {
  return {settings_.x, settings_.y, settings_.x + static_cast<int>(settings_.width),
          settings_.y + static_cast<int>(settings_.height)};
}

Frame* Viewport::Scene() const {
  Frame* scene = camera_.get();
  while (scene->parent()) scene = scene->parent();
  return scene;
}

bool Viewport::SeesThrough() const {
  Matrix4 cameraToWorld, worldToCamera;
  return CameraTransforms(&cameraToWorld, &worldToCamera);
}

bool Viewport::CameraTransforms(Matrix4* cameraToWorld, Matrix4* worldToCamera) const {
  *cameraToWorld = camera_->WorldTransform();
  return AffineInverse(*cameraToWorld, worldToCamera);
}

HRESULT Viewport::Clear() {
  TargetLock lock(device_->direct3D()->surface(), device_->direct3D()->zBuffer(), Rect());
  if (FAILED(lock.result())) return RetainedModeResult(lock.result());
  const Frame* scene = Scene();
  const Texture* image = scene->sceneBackgroundImage();
  ClearTarget(lock.target(), scene->sceneBackground(), image ? &image->picture() : nullptr);
  return D3DRM_OK;
}

HRESULT Viewport::Render(IDirect3DRMFrame* frame) {
  if (HRESULT fault = TakeFault(D3DRMCall::Render)) return fault;
  Frame* root = Frame::From(frame);
  if (!root) return frame ? D3DRMERR_BADOBJECT : D3DRMERR_BADVALUE;
  const Projection projection(settings_);
  Matrix4 cameraToWorld, worldToCamera;
  if (!projection.Valid() || !CameraTransforms(&cameraToWorld, &worldToCamera)) return D3DRMERR_BADVALUE;
  TargetLock lock(device_->direct3D()->surface(), device_->direct3D()->zBuffer(), Rect());
  if (FAILED(lock.result())) return RetainedModeResult(lock.result());
  renderer_.Render(root, worldToCamera, projection, device_->GetQuality(), lock.target());
  return D3DRM_OK;
}

HRESULT Viewport::ForceUpdate(DWORD x1, DWORD y1, DWORD x2, DWORD y2) {
  return x1 <= x2 && y1 <= y2 ? D3DRM_OK : D3DRMERR_BADVALUE;
}

HRESULT Viewport::SetFront(D3DVALUE front) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetFront)) return fault;
  if (!(front > 0.0f) || !std::isfinite(front)) return D3DRMERR_BADVALUE;
  settings_.front = front;
  return D3DRM_OK;
}

HRESULT Viewport::SetBack(D3DVALUE back) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetBack)) return fault;
  if (!(back > 0.0f) || !std::isfinite(back)) return D3DRMERR_BADVALUE;
  settings_.back = back;
  return D3DRM_OK;
}

HRESULT Viewport::SetField(D3DVALUE field) {
  if (!(field > 0.0f) || !std::isfinite(field)) return D3DRMERR_BADVALUE;
  settings_.field = field;
  return D3DRM_OK;
}

HRESULT Viewport::SetProjection(D3DRMPROJECTIONTYPE type) {
  if (type != D3DRMPROJECT_PERSPECTIVE && type != D3DRMPROJECT_ORTHOGRAPHIC) return D3DRMERR_BADVALUE;
  settings_.projection = type;
  return D3DRM_OK;
}

HRESULT Viewport::GetCamera(IDirect3DRMFrame** camera) {
  if (!camera) return D3DRMERR_BADVALUE;
  HandOut(camera, static_cast<IDirect3DRMFrame*>(camera_.get()));
  return D3DRM_OK;
}

// (x, y, z, w) with x/w, y/w the screen position and z/w the depth; w is the camera depth in
// perspective and 1 in orthographic projection.
HRESULT Viewport::Transform(D3DRMVECTOR4D* result, D3DVECTOR* world) {
  if (HRESULT fault = TakeFault(D3DRMCall::Transform)) return fault;
  const Projection projection(settings_);
  Matrix4 cameraToWorld, worldToCamera;
  if (!result || !world || !projection.Valid() || !CameraTransforms(&cameraToWorld, &worldToCamera))
    return D3DRMERR_BADVALUE;
  const D3DVECTOR p = TransformPoint(worldToCamera, *world);
  *result = projection.ToHomogeneous(p.x, p.y, p.z);
  return D3DRM_OK;
}

HRESULT Viewport::InverseTransform(D3DVECTOR* world, D3DRMVECTOR4D* screen) {
  const Projection projection(settings_);
  Matrix4 cameraToWorld, worldToCamera;
  if (!world || !screen || !(screen->w != 0.0f) || !projection.Valid() ||
      !CameraTransforms(&cameraToWorld, &worldToCamera))
    return D3DRMERR_BADVALUE;
  const double w = screen->w;
  D3DVECTOR camera;
  if (!projection.ToCamera(screen->x / w, screen->y / w, screen->z / w, &camera)) return D3DRMERR_BADVALUE;
  *world = TransformPoint(cameraToWorld, camera);
  return D3DRM_OK;
}

HRESULT Viewport::GetDirect3DViewport(IDirect3DViewport** viewport) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetDirect3DViewport)) return fault;
  if (!viewport) return D3DRMERR_BADVALUE;
  HandOut(viewport, static_cast<IDirect3DViewport*>(direct3D_.get()));
  return D3DRM_OK;
}

}  // namespace d3drm

BOOL D3DRMViewportSeesThrough(IDirect3DRMViewport* viewport) {
  d3drm::Viewport* ours = dynamic_cast<d3drm::Viewport*>(viewport);
  return ours && ours->SeesThrough();
}
