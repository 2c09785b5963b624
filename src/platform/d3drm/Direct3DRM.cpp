#include "platform/d3drm/Direct3DRM.h"

#include <vector>

#include "platform/d3drm/BmpReader.h"
#include "platform/d3drm/Device.h"
#include "platform/d3drm/Faults.h"
#include "platform/d3drm/FileLookup.h"
#include "platform/d3drm/Frame.h"
#include "platform/d3drm/Light.h"
#include "platform/d3drm/Material.h"
#include "platform/d3drm/Mesh.h"
#include "platform/d3drm/MeshBuilder.h"
#include "platform/win/ComPtr.h"
#include "platform/d3drm/SurfacePicture.h"
#include "platform/d3drm/Texture.h"
#include "platform/d3drm/Viewport.h"

HRESULT Direct3DRMCreate(IDirect3DRM** root) {
  if (!root) return D3DRMERR_BADVALUE;
  *root = d3drm::Root::Create();
  return D3DRM_OK;
}

namespace d3drm {

Root* Root::Create() { return new Root; }

Root::Root() : registry_(std::make_shared<Registry>()) {}

HRESULT Root::CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateFrame)) return fault;
  Frame* parentFrame = Frame::From(parent);
  if (!frame || (parent && !parentFrame)) return D3DRMERR_BADVALUE;
  Frame* created = Frame::Create(registry_);
  if (parentFrame) parentFrame->AddChild(created);
  *frame = created;
  return D3DRM_OK;
}

HRESULT Root::CreateMesh(IDirect3DRMMesh** mesh) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateMesh)) return fault;
  if (!mesh) return D3DRMERR_BADVALUE;
  *mesh = Mesh::Create(registry_);
  return D3DRM_OK;
}

HRESULT Root::CreateMeshBuilder(IDirect3DRMMeshBuilder** builder) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateMeshBuilder)) return fault;
  if (!builder) return D3DRMERR_BADVALUE;
  *builder = MeshBuilder::Create(registry_);
  return D3DRM_OK;
}

HRESULT Root::CreateLight(D3DRMLIGHTTYPE type, D3DCOLOR color, IDirect3DRMLight** light) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateLight)) return fault;
  if (!light || !IsLightType(type)) return D3DRMERR_BADVALUE;
  *light = Light::Create(registry_, type, color);
  return D3DRM_OK;
}

HRESULT Root::CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                             IDirect3DRMLight** light) {
  return CreateLight(type, D3DRMCreateColorRGB(red, green, blue), light);
}

HRESULT Root::CreateMaterial(D3DVALUE power, IDirect3DRMMaterial** material) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateMaterial)) return fault;
  if (!material) return D3DRMERR_BADVALUE;
  MaterialValues values;
  values.power = power;
  *material = Material::Create(registry_, values);
  return D3DRM_OK;
}

HRESULT Root::LoadTexture(const char* fileName, IDirect3DRMTexture** texture) {
  if (!fileName || !texture) return D3DRMERR_BADVALUE;
  *texture = nullptr;
  std::vector<std::uint8_t> bytes;
  switch (ReadWholeFile(fileName, &bytes)) {
    case FileReadResult::kMissing:
      return D3DRMERR_FILENOTFOUND;
    case FileReadResult::kUnreadable:
      return D3DRMERR_BADFILE;
    case FileReadResult::kOk:
      break;
  }
  Picture picture;
  if (!DecodeBmp(bytes, &picture)) return D3DRMERR_BADFILE;
  *texture = Texture::Create(registry_, std::move(picture), textureColors_, textureShades_);
  return D3DRM_OK;
}

// The texture keeps a copy of the surface's pixels as they are now.
HRESULT Root::CreateTextureFromSurface(IDirectDrawSurface* surface, IDirect3DRMTexture** texture) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateTextureFromSurface)) return fault;
  if (!surface || !texture) return D3DRMERR_BADVALUE;
  *texture = nullptr;
  Picture picture;
  if (const HRESULT result = ReadSurfacePicture(surface, &picture); result != D3DRM_OK) return result;
  *texture = Texture::Create(registry_, std::move(picture), textureColors_, textureShades_);
  return D3DRM_OK;
}

HRESULT Root::CreateDeviceFromSurface(const GUID*, IDirectDraw* directDraw, IDirectDrawSurface* surface,
                                      IDirect3DRMDevice** device) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateDeviceFromSurface)) return fault;
  return Device::Create(registry_, directDraw, surface, device);
}

HRESULT Root::CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                             DWORD height, IDirect3DRMViewport** viewport) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateViewport)) return fault;
  return Viewport::Create(registry_, device, camera, x, y, width, height, viewport);
}

// Every object is held for the whole walk, so a callback that releases or creates objects cannot
// disturb it; each object's reference goes to its callback, and those not reached are released.
HRESULT Root::EnumerateObjects(D3DRMOBJECTCALLBACK callback, LPVOID arg) {
  if (HRESULT fault = TakeFault(D3DRMCall::EnumerateObjects)) return fault;
  if (!callback) return D3DRMERR_BADVALUE;
  std::vector<ComPtr<IDirect3DRMObject>> held;
  for (IDirect3DRMObject* object : registry_->liveObjects()) held.emplace_back(object);
  for (ComPtr<IDirect3DRMObject>& object : held) callback(object.detach(), arg);
  return D3DRM_OK;
}

HRESULT Root::SetDefaultTextureColors(DWORD colors) {
  if (colors == 0) return D3DRMERR_BADVALUE;
  textureColors_ = colors;
  return D3DRM_OK;
}

HRESULT Root::SetDefaultTextureShades(DWORD shades) {
  if (shades == 0) return D3DRMERR_BADVALUE;
  textureShades_ = shades;
  return D3DRM_OK;
}

}  // namespace d3drm
