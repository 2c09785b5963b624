// The retained-mode object interfaces: the scene graph of frames, visuals (meshes, mesh builders,
// textures), lights and materials, and the root object that creates them.
#pragma once

#include <cstdint>

#include "platform/d3drm/D3DInterfaces.h"
#include "platform/d3drm/D3DRMTypes.h"
#include "platform/win/Com.h"

class IDirectDraw;
class IDirectDrawSurface;
class IDirect3DRMObject;
class IDirect3DRMFrame;
class IDirect3DRMVisual;
class IDirect3DRMLight;
class IDirect3DRMMaterial;
class IDirect3DRMTexture;
class IDirect3DRMMesh;
class IDirect3DRMDevice;
class IDirect3DRMViewport;

// Hands one live object, with a reference the callback must release.
using D3DRMOBJECTCALLBACK = void (*)(IDirect3DRMObject* object, LPVOID arg);
// Makes the texture named in mesh data; on success *texture holds a reference for the loader.
using D3DRMLOADTEXTURECALLBACK = HRESULT (*)(char* name, void* arg, IDirect3DRMTexture** texture);

inline constexpr IID IID_IDirect3DRM = {0x5D1C7A01, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x01}};
inline constexpr IID IID_IDirect3DRMObject = {
    0x5D1C7A02, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x02}};
inline constexpr IID IID_IDirect3DRMVisual = {
    0x5D1C7A03, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x03}};
inline constexpr IID IID_IDirect3DRMFrame = {
    0x5D1C7A04, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x04}};
inline constexpr IID IID_IDirect3DRMMesh = {
    0x5D1C7A05, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x05}};
inline constexpr IID IID_IDirect3DRMMeshBuilder = {
    0x5D1C7A06, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x06}};
inline constexpr IID IID_IDirect3DRMLight = {
    0x5D1C7A07, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x07}};
inline constexpr IID IID_IDirect3DRMMaterial = {
    0x5D1C7A08, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x08}};
inline constexpr IID IID_IDirect3DRMTexture = {
    0x5D1C7A09, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x09}};
inline constexpr IID IID_IDirect3DRMDevice = {
    0x5D1C7A0A, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x0A}};
inline constexpr IID IID_IDirect3DRMViewport = {
    0x5D1C7A0B, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x0B}};

// Every object: application data wide enough for a pointer, a name, and a copy operation.
class IDirect3DRMObject : public IUnknown {
 public:
  virtual HRESULT Clone(LPUNKNOWN outer, REFIID riid, LPVOID* copy) = 0;
  virtual HRESULT SetAppData(DWORD_PTR data) = 0;
  virtual DWORD_PTR GetAppData() = 0;
  // A null or empty name clears it.
  virtual HRESULT SetName(LPCSTR name) = 0;
  // *size counts the terminating NUL and is 0 for an object without a name; with a null buffer
  // only the size is given.
  virtual HRESULT GetName(DWORD* size, LPSTR name) = 0;
};

// Something a frame can show.
class IDirect3DRMVisual : public IDirect3DRMObject {};

// A snapshot of a frame's children, visuals or lights.
template <class Element>
class IDirect3DRMArray : public IUnknown {
 public:
  virtual DWORD GetSize() = 0;
  virtual HRESULT GetElement(DWORD index, Element** element) = 0;
};
using IDirect3DRMFrameArray = IDirect3DRMArray<IDirect3DRMFrame>;
using IDirect3DRMVisualArray = IDirect3DRMArray<IDirect3DRMVisual>;
using IDirect3DRMLightArray = IDirect3DRMArray<IDirect3DRMLight>;

// A node of the scene tree. A parent holds a reference on each child, a frame on each visual and
// light; a child's link to its parent holds none.
class IDirect3DRMFrame : public IDirect3DRMObject {
 public:
  virtual HRESULT AddChild(IDirect3DRMFrame* child) = 0;
  virtual HRESULT DeleteChild(IDirect3DRMFrame* child) = 0;
  virtual HRESULT AddVisual(IDirect3DRMVisual* visual) = 0;
  virtual HRESULT DeleteVisual(IDirect3DRMVisual* visual) = 0;
  virtual HRESULT AddLight(IDirect3DRMLight* light) = 0;
  virtual HRESULT DeleteLight(IDirect3DRMLight* light) = 0;
  virtual HRESULT AddTransform(D3DRMCOMBINETYPE combine, const D3DRMMATRIX4D matrix) = 0;
  virtual HRESULT GetTransform(D3DRMMATRIX4D matrix) = 0;
  virtual HRESULT AddRotation(D3DRMCOMBINETYPE combine, D3DVALUE x, D3DVALUE y, D3DVALUE z, D3DVALUE theta) = 0;
  virtual HRESULT GetChildren(IDirect3DRMFrameArray** children) = 0;
  virtual HRESULT GetVisuals(IDirect3DRMVisualArray** visuals) = 0;
  virtual HRESULT GetLights(IDirect3DRMLightArray** lights) = 0;
  virtual HRESULT SetSceneBackground(D3DCOLOR color) = 0;
  virtual D3DCOLOR GetSceneBackground() = 0;
  virtual HRESULT SetSceneBackgroundImage(IDirect3DRMTexture* texture) = 0;
};

// Geometry in groups of triangles; each group has its own vertices and look.
class IDirect3DRMMesh : public IDirect3DRMVisual {
 public:
  virtual HRESULT GetBox(D3DRMBOX* box) = 0;
  // fData holds vPerFace (always 3) vertex indices per face.
  virtual HRESULT AddGroup(unsigned vCount, unsigned fCount, unsigned vPerFace, const unsigned* fData,
                           D3DRMGROUPINDEX* index) = 0;
  virtual HRESULT SetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count, const D3DRMVERTEX* vertices) = 0;
  virtual HRESULT GetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count, D3DRMVERTEX* vertices) = 0;
  virtual unsigned GetGroupCount() = 0;
  // Any out place may be null. With fData, *fDataSize must give its room in words on entry.
  virtual HRESULT GetGroup(D3DRMGROUPINDEX group, unsigned* vCount, unsigned* fCount, unsigned* vPerFace,
                           DWORD* fDataSize, unsigned* fData) = 0;
  virtual HRESULT SetGroupColor(D3DRMGROUPINDEX group, D3DCOLOR color) = 0;
  virtual HRESULT SetGroupMapping(D3DRMGROUPINDEX group, D3DRMMAPPING mapping) = 0;
  virtual HRESULT SetGroupQuality(D3DRMGROUPINDEX group, D3DRMRENDERQUALITY quality) = 0;
  virtual HRESULT SetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial* material) = 0;
  virtual HRESULT SetGroupTexture(D3DRMGROUPINDEX group, IDirect3DRMTexture* texture) = 0;
  virtual D3DCOLOR GetGroupColor(D3DRMGROUPINDEX group) = 0;
  virtual D3DRMMAPPING GetGroupMapping(D3DRMGROUPINDEX group) = 0;
  virtual D3DRMRENDERQUALITY GetGroupQuality(D3DRMGROUPINDEX group) = 0;
  // A group without a material or texture gives null and D3DRM_OK.
  virtual HRESULT GetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial** material) = 0;
  virtual HRESULT GetGroupTexture(D3DRMGROUPINDEX group, IDirect3DRMTexture** texture) = 0;
};

// Collects faces from .x data or meshes and makes meshes of them.
class IDirect3DRMMeshBuilder : public IDirect3DRMVisual {
 public:
  virtual HRESULT Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options,
                       D3DRMLOADTEXTURECALLBACK textureCallback, LPVOID arg) = 0;
  virtual HRESULT Scale(D3DVALUE sx, D3DVALUE sy, D3DVALUE sz) = 0;
  virtual HRESULT GetBox(D3DRMBOX* box) = 0;
  virtual HRESULT SetQuality(D3DRMRENDERQUALITY quality) = 0;
  virtual HRESULT SetPerspective(BOOL perspective) = 0;
  virtual HRESULT GenerateNormals() = 0;
  virtual HRESULT AddMesh(IDirect3DRMMesh* mesh) = 0;
  virtual HRESULT CreateMesh(IDirect3DRMMesh** mesh) = 0;
};

class IDirect3DRMLight : public IDirect3DRMObject {
 public:
  virtual HRESULT SetType(D3DRMLIGHTTYPE type) = 0;
  virtual HRESULT SetColor(D3DCOLOR color) = 0;
  virtual HRESULT SetColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
  virtual HRESULT SetRange(D3DVALUE range) = 0;
  virtual HRESULT SetUmbra(D3DVALUE angle) = 0;
  virtual HRESULT SetPenumbra(D3DVALUE angle) = 0;
  virtual HRESULT SetConstantAttenuation(D3DVALUE value) = 0;
  virtual HRESULT SetLinearAttenuation(D3DVALUE value) = 0;
  virtual HRESULT SetQuadraticAttenuation(D3DVALUE value) = 0;
  virtual D3DRMLIGHTTYPE GetType() = 0;
  virtual D3DCOLOR GetColor() = 0;
  virtual D3DVALUE GetRange() = 0;
  virtual D3DVALUE GetUmbra() = 0;
  virtual D3DVALUE GetPenumbra() = 0;
  virtual D3DVALUE GetConstantAttenuation() = 0;
  virtual D3DVALUE GetLinearAttenuation() = 0;
  virtual D3DVALUE GetQuadraticAttenuation() = 0;
  // The light lights only what lies under the enable frame (everything when null). The link holds
  // no reference and is cleared when that frame goes.
  virtual HRESULT SetEnableFrame(IDirect3DRMFrame* frame) = 0;
  virtual HRESULT GetEnableFrame(IDirect3DRMFrame** frame) = 0;
};

class IDirect3DRMMaterial : public IDirect3DRMObject {
 public:
  virtual HRESULT SetPower(D3DVALUE power) = 0;
  virtual HRESULT SetSpecular(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
  virtual HRESULT SetEmissive(D3DVALUE red, D3DVALUE green, D3DVALUE blue) = 0;
  virtual D3DVALUE GetPower() = 0;
  virtual HRESULT GetSpecular(D3DVALUE* red, D3DVALUE* green, D3DVALUE* blue) = 0;
  virtual HRESULT GetEmissive(D3DVALUE* red, D3DVALUE* green, D3DVALUE* blue) = 0;
};

// A picture for mesh groups and scene backgrounds.
class IDirect3DRMTexture : public IDirect3DRMVisual {};

// Renders into a DirectDraw surface with a 16-bit z-buffer attached. The quality is the best the
// device draws: each of its shade, light and fill parts limits the mesh groups' own.
class IDirect3DRMDevice : public IDirect3DRMObject {
 public:
  virtual D3DRMRENDERQUALITY GetQuality() = 0;
  virtual HRESULT SetQuality(D3DRMRENDERQUALITY quality) = 0;
  virtual D3DRMTEXTUREQUALITY GetTextureQuality() = 0;
  virtual HRESULT SetTextureQuality(D3DRMTEXTUREQUALITY quality) = 0;
  virtual DWORD GetWidth() = 0;
  virtual DWORD GetHeight() = 0;
  // The immediate-mode device drawing into the same surface and z-buffer.
  virtual HRESULT GetDirect3DDevice(IDirect3DDevice** device) = 0;
};

// What a pick found, nearest first: for each visual hit, the frames from the scene's root down
// to the one that shows it, and the face, group and world position of the nearest hit.
// A camera's view onto a rectangle of a device. Front and back planes, field and projection are
// kept as floats. Screen positions are the device's pixels, centres at integer coordinates.
class IDirect3DRMViewport : public IDirect3DRMObject {
 public:
  // Fills the viewport with the scene's background (its colour, or its image stretched over the
  // viewport) and its z-buffer with 0xFFFF. The scene is the topmost frame above the camera.
  virtual HRESULT Clear() = 0;
  // Draws the visuals of `frame` and the frames below it, tested against and written into the
  // z-buffer, without clearing anything first.
  virtual HRESULT Render(IDirect3DRMFrame* frame) = 0;
  // Marks a rectangle for the next update; rendering already went to the surface.
  virtual HRESULT ForceUpdate(DWORD x1, DWORD y1, DWORD x2, DWORD y2) = 0;
  virtual HRESULT SetFront(D3DVALUE front) = 0;
  virtual HRESULT SetBack(D3DVALUE back) = 0;
  virtual HRESULT SetField(D3DVALUE field) = 0;
  virtual HRESULT SetProjection(D3DRMPROJECTIONTYPE type) = 0;
  virtual D3DVALUE GetFront() = 0;
  virtual D3DVALUE GetBack() = 0;
  virtual D3DVALUE GetField() = 0;
  virtual D3DRMPROJECTIONTYPE GetProjection() = 0;
  virtual LONG GetX() = 0;
  virtual LONG GetY() = 0;
  virtual DWORD GetWidth() = 0;
  virtual DWORD GetHeight() = 0;
  virtual HRESULT GetCamera(IDirect3DRMFrame** camera) = 0;
  // World point to homogeneous screen vector, and back.
  virtual HRESULT Transform(D3DRMVECTOR4D* result, D3DVECTOR* world) = 0;
  virtual HRESULT InverseTransform(D3DVECTOR* world, D3DRMVECTOR4D* screen) = 0;
  // The immediate-mode viewport over the same rectangle of the device.
  virtual HRESULT GetDirect3DViewport(IDirect3DViewport** viewport) = 0;
  // The visuals of the camera's scene drawn at pixel (x, y), nearest first.
};

// The root object: creates every other object and knows which ones are alive.
class IDirect3DRM : public IUnknown {
 public:
  virtual HRESULT CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame) = 0;
  virtual HRESULT CreateMesh(IDirect3DRMMesh** mesh) = 0;
  virtual HRESULT CreateMeshBuilder(IDirect3DRMMeshBuilder** builder) = 0;
  virtual HRESULT CreateLight(D3DRMLIGHTTYPE type, D3DCOLOR color, IDirect3DRMLight** light) = 0;
  virtual HRESULT CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                                 IDirect3DRMLight** light) = 0;
  virtual HRESULT CreateMaterial(D3DVALUE power, IDirect3DRMMaterial** material) = 0;
  // BMP files; other data gives D3DRMERR_BADFILE, a missing file D3DRMERR_FILENOTFOUND.
  virtual HRESULT LoadTexture(const char* fileName, IDirect3DRMTexture** texture) = 0;
  virtual HRESULT CreateTextureFromSurface(IDirectDrawSurface* surface, IDirect3DRMTexture** texture) = 0;
  // A device rendering into `surface` (16-, 24- or 32-bit RGB), which gets a 16-bit z-buffer
  // attached unless it has one; any device guid is accepted. D3DRMERR_BADDEVICE for a surface
  // the device cannot render into.
  virtual HRESULT CreateDeviceFromSurface(const GUID* guid, IDirectDraw* directDraw, IDirectDrawSurface* surface,
                                          IDirect3DRMDevice** device) = 0;
  // A viewport on the rectangle (x, y, width, height), which must lie inside the device.
  virtual HRESULT CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y,
                                 DWORD width, DWORD height, IDirect3DRMViewport** viewport) = 0;
  // Hands every live object once, in the order of creation.
  virtual HRESULT EnumerateObjects(D3DRMOBJECTCALLBACK callback, LPVOID arg) = 0;
  virtual HRESULT SetDefaultTextureColors(DWORD colors) = 0;
  virtual HRESULT SetDefaultTextureShades(DWORD shades) = 0;
};

using LPDIRECT3DRM = IDirect3DRM*;
using LPDIRECT3DRMOBJECT = IDirect3DRMObject*;
using LPDIRECT3DRMVISUAL = IDirect3DRMVisual*;
using LPDIRECT3DRMFRAME = IDirect3DRMFrame*;
using LPDIRECT3DRMMESH = IDirect3DRMMesh*;
using LPDIRECT3DRMMESHBUILDER = IDirect3DRMMeshBuilder*;
using LPDIRECT3DRMLIGHT = IDirect3DRMLight*;
using LPDIRECT3DRMMATERIAL = IDirect3DRMMaterial*;
using LPDIRECT3DRMTEXTURE = IDirect3DRMTexture*;
using LPDIRECT3DRMDEVICE = IDirect3DRMDevice*;
using LPDIRECT3DRMVIEWPORT = IDirect3DRMViewport*;
using LPDIRECT3DRMFRAMEARRAY = IDirect3DRMFrameArray*;
using LPDIRECT3DRMVISUALARRAY = IDirect3DRMVisualArray*;
using LPDIRECT3DRMLIGHTARRAY = IDirect3DRMLightArray*;

HRESULT Direct3DRMCreate(IDirect3DRM** root);

// A stamp of a mesh's geometry: it changes whenever a group is added or vertices are set, and no
// two meshes ever carry the same one, so that data derived from a mesh can tell whether it is
// still current. 0 for a null mesh.
std::uint64_t D3DRMMeshRevision(IDirect3DRMMesh* mesh);
// Whether a viewport can see through its camera: whether the camera frame's place in the world,
// its transform combined with its parents', has an inverse (D3DRMMatrixInvertible). Rendering,
// Transform and InverseTransform fail without one.
BOOL D3DRMViewportSeesThrough(IDirect3DRMViewport* viewport);
