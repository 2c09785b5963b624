#include "platform/d3drm/Frame.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "platform/d3drm/Arrays.h"
#include "platform/d3drm/Faults.h"
#include "platform/d3drm/Light.h"
#include "platform/d3drm/Texture.h"

namespace d3drm {
namespace {

// Removes the first element that holds `object`; false when there is none.
template <class Element, class T>
bool RemoveFirst(std::vector<ComPtr<Element>>& list, const T* object) {
  auto it = std::find_if(list.begin(), list.end(), [&](const ComPtr<Element>& e) { return e.get() == object; });
  if (it == list.end()) return false;
  ComPtr<Element> keep = *it;  // released after the list is consistent again
  list.erase(it);
  return true;
}

// The index of `frame`, which is a child once, or the size when it is none. Children mostly leave
// from one end or the other (the newest when an add is undone, the oldest when a tree is taken
// down), so both ends are searched at once.
std::size_t IndexFromBothEnds(const std::vector<ComPtr<Frame>>& children, const Frame* frame) {
  for (std::size_t front = 0, back = children.size(); front < back; ++front, --back) {
    if (children[front].get() == frame) return front;
    if (children[back - 1].get() == frame) return back - 1;
  }
  return children.size();
}

}  // namespace

Frame* Frame::Create(RegistryHandle registry) { return new Frame(std::move(registry)); }

Frame* Frame::From(IDirect3DRMFrame* frame) { return dynamic_cast<Frame*>(frame); }

Frame::Frame(RegistryHandle registry) : ObjectImpl(std::move(registry)) {}

Frame::~Frame() {
  for (const auto& child : children_) child->parent_ = nullptr;
  for (Light* light : enabledLights_) light->ForgetEnableFrame();
}

bool Frame::Implements(REFIID riid) const {
  return AnyOf(riid, {&IID_IUnknown, &IID_IDirect3DRMObject, &IID_IDirect3DRMFrame});
}

HRESULT Frame::AddChild(IDirect3DRMFrame* child) {
  Frame* frame = From(child);
  if (!frame) return child ? D3DRMERR_BADOBJECT : D3DRMERR_BADVALUE;
  if (IsWithin(frame)) return D3DRMERR_BADVALUE;  // the child would contain itself
  ComPtr<Frame> keep(frame);
  if (frame->parent_) frame->parent_->DeleteChild(frame);
  frame->parent_ = this;
  children_.push_back(std::move(keep));
  return D3DRM_OK;
}

HRESULT Frame::DeleteChild(IDirect3DRMFrame* child) {
  Frame* frame = From(child);
  if (!frame) return child ? D3DRMERR_BADOBJECT : D3DRMERR_BADVALUE;
  if (frame->parent_ != this) return D3DRMERR_NOTFOUND;
  frame->parent_ = nullptr;
  const std::size_t at = IndexFromBothEnds(children_, frame);
  if (at == children_.size()) return D3DRM_OK;
  ComPtr<Frame> keep = children_[at];  // released after the list is consistent again
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(at));
  return D3DRM_OK;
}

HRESULT Frame::AddVisual(IDirect3DRMVisual* visual) {
  if (HRESULT fault = TakeFault(D3DRMCall::AddVisual)) return fault;
  if (!visual) return D3DRMERR_BADVALUE;
  visuals_.emplace_back(visual);
  return D3DRM_OK;
}

HRESULT Frame::DeleteVisual(IDirect3DRMVisual* visual) {
  if (HRESULT fault = TakeFault(D3DRMCall::DeleteVisual)) return fault;
  if (!visual) return D3DRMERR_BADVALUE;
  return RemoveFirst(visuals_, visual) ? D3DRM_OK : D3DRMERR_NOTFOUND;
}

HRESULT Frame::AddLight(IDirect3DRMLight* light) {
  Light* ours = Light::From(light);
  if (!ours) return light ? D3DRMERR_BADOBJECT : D3DRMERR_BADVALUE;
  lights_.emplace_back(ours);
  return D3DRM_OK;
}

HRESULT Frame::DeleteLight(IDirect3DRMLight* light) {
  if (!light) return D3DRMERR_BADVALUE;
  return RemoveFirst(lights_, light) ? D3DRM_OK : D3DRMERR_NOTFOUND;
}

HRESULT Frame::AddTransform(D3DRMCOMBINETYPE combine, const D3DRMMATRIX4D matrix) {
  if (HRESULT fault = TakeFault(D3DRMCall::AddTransform)) return fault;
  if (combine != D3DRMCOMBINE_REPLACE || !matrix) return D3DRMERR_BADVALUE;
  transform_ = Matrix4::From(matrix);
  return D3DRM_OK;
}

HRESULT Frame::GetTransform(D3DRMMATRIX4D matrix) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetTransform)) return fault;
  if (!matrix) return D3DRMERR_BADVALUE;
  transform_.CopyTo(matrix);
  return D3DRM_OK;
}

HRESULT Frame::AddRotation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) {
  if (combine != D3DRMCOMBINE_REPLACE) return D3DRMERR_BADVALUE;
  const D3DVALUE squared = x * x + y * y + z * z;
  if (!(squared > 0.0f) || !std::isfinite(squared)) return D3DRMERR_BADVALUE;
  if (squared != 1.0f) {  // a unit axis is used exactly as given
    const D3DVALUE length = std::sqrt(squared);
    x /= length;
    y /= length;
    z /= length;
  }
  transform_ = RotationMatrix(x, y, z, theta);
  return D3DRM_OK;
}

HRESULT Frame::GetChildren(IDirect3DRMFrameArray** children) {
  if (!children) return D3DRMERR_BADVALUE;
  *children = FrameArray::Create(children_);
  return D3DRM_OK;
}

HRESULT Frame::GetVisuals(IDirect3DRMVisualArray** visuals) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetVisuals)) return fault;
  if (!visuals) return D3DRMERR_BADVALUE;
  *visuals = VisualArray::Create(visuals_);
  return D3DRM_OK;
}

HRESULT Frame::GetLights(IDirect3DRMLightArray** lights) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetLights)) return fault;
  if (!lights) return D3DRMERR_BADVALUE;
  *lights = LightArray::Create(lights_);
  return D3DRM_OK;
}

HRESULT Frame::SetSceneBackground(D3DCOLOR color) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetSceneBackground)) return fault;
  background_ = color;
  return D3DRM_OK;
}

D3DCOLOR Frame::GetSceneBackground() { return background_; }

HRESULT Frame::SetSceneBackgroundImage(IDirect3DRMTexture* texture) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetSceneBackgroundImage)) return fault;
  Texture* ours = Texture::From(texture);
  if (texture && !ours) return D3DRMERR_BADOBJECT;
  backgroundImage_ = ours;
  return D3DRM_OK;
}

Matrix4 Frame::WorldTransform() const {
  Matrix4 world = transform_;
  for (const Frame* up = parent_; up; up = up->parent_) world = Multiply(world, up->transform_);
  return world;
}

bool Frame::IsWithin(const Frame* ancestor) const {
  for (const Frame* f = this; f; f = f->parent_)
    if (f == ancestor) return true;
  return false;
}

void Frame::LinkEnabledLight(Light* light) { enabledLights_.push_back(light); }

void Frame::UnlinkEnabledLight(Light* light) { std::erase(enabledLights_, light); }

}  // namespace d3drm
