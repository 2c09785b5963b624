// MeshSO: loading from a .x, .3ds or object file, the effective quality and the part materials.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>
#include <vector>

#include "core/FatalError.h"
#include "core/Globals.h"
#include "core/Guards.h"
#include "core/MissingFile.h"
#include "core/XMessageBox.h"
#include "platform/d3drm/FileLookup.h"
#include "scene/InstanceMap.h"
#include "scene/MeshGroupUtility.h"
#include "scene/MeshSO.h"
#include "scene/MeshSource.h"
#include "scene/ObjectFile.h"
#include "scene/TextureLoad.h"
#include "scene/SceneServices.h"

namespace {

// Half the box's diagonal is brought into this range; an object file keeps its stored size.
constexpr double kLargestSize = 5.0;
constexpr double kSmallestSize = 0.0381;
// Ten times the single-precision epsilon: how far a back face's vertex moves out of its front.
constexpr float kBackFaceOffset = 1.1920929e-06f;

void Apply(const ObjectFileHeader& header, MeshSO& mesh) {
  if (header.quality && mesh.quality == 0) mesh.quality = *header.quality;
  if (header.cartoon) mesh.cartoon = *header.cartoon;
  if (header.lineColor) {
    const auto& rgb = *header.lineColor;
    Color color(rgb[0] / 255.0, rgb[1] / 255.0, rgb[2] / 255.0, 1.0);
    color.UpdateLuminance();
    mesh.silhouetteColor = color;
    mesh.surfaceColor = color;
  }
  if (header.twoSided && !mesh.twoSided) mesh.twoSided = *header.twoSided;
}

// A zero-area triangle: the length of its corners' cross product is 0 or not a number.
bool ZeroArea(const D3DRMVERTEX* v, const unsigned* face) {
  const D3DVECTOR& p0 = v[face[0]].position;
  const D3DVECTOR& p1 = v[face[1]].position;
  const D3DVECTOR& p2 = v[face[2]].position;
  const float ax = p1.x - p0.x, ay = p1.y - p0.y, az = p1.z - p0.z;
  const float bx = p2.x - p0.x, by = p2.y - p0.y, bz = p2.z - p0.z;
  const float nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
  const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
  return length == 0.0f || std::isnan(length);
}

float BackOffset(float c, float negatedNormal) {
  return c + std::fabs(c) * (negatedNormal > 0 ? kBackFaceOffset : -kBackFaceOffset);
}

// Copies one group of `loaded` into `target` (group indices equal): triangles of zero area
// dropped, and for a two-sided object a reversed copy of every face behind it. Failures name the
// two meshes `mesh` and `new_mesh`, as the loader always has.
void CopyGroup(IDirect3DRMMesh* loaded, D3DRMGROUPINDEX group, bool twoSided, IDirect3DRMMesh* target) {
  unsigned vCount = 0, fCount = 0, vPerFace = 0;
  DWORD fDataSize = 0;
  XCHECK_D3DRM_TEXT(loaded->GetGroup(group, &vCount, &fCount, &vPerFace, &fDataSize, NULL),
                    "mesh->GetGroup( group, &vCount, &fCount, &vPerFace, &fDataSize, NULL )");
  const unsigned copies = twoSided ? 2 : 1;
  std::vector<unsigned> fData(std::size_t{fDataSize} * copies);
  std::vector<D3DRMVERTEX> vData(std::size_t{vCount} * copies);
  XCHECK_D3DRM_TEXT(loaded->GetGroup(group, &vCount, &fCount, NULL, &fDataSize, fData.data()),
                    "mesh->GetGroup( group, &vCount, &fCount, NULL, &fDataSize, fData )");
  if (vCount)
    XCHECK_D3DRM_TEXT(loaded->GetVertices(group, 0, vCount, vData.data()),
                      "mesh->GetVertices( group, 0, vCount, vData )");

  for (unsigned k = fCount; k-- > 0;) {
    if (!ZeroArea(vData.data(), &fData[std::size_t{k} * 3])) continue;
    fData.erase(fData.begin() + std::ptrdiff_t{k} * 3, fData.begin() + std::ptrdiff_t{k} * 3 + 3);
    --fCount;
  }
  fData.resize(std::size_t{fCount} * 3 * copies);
  if (twoSided) {
    for (unsigned i = 0; i < vCount; ++i) {
      D3DRMVERTEX back = vData[i];
      back.normal = {-back.normal.x, -back.normal.y, -back.normal.z};
      back.position.x = BackOffset(back.position.x, back.normal.x);
      back.position.y = BackOffset(back.position.y, back.normal.y);
      back.position.z = BackOffset(back.position.z, back.normal.z);
      vData[vCount + i] = back;
    }
    for (unsigned k = fCount; k-- > 0;) {
      const unsigned* front = &fData[std::size_t{k} * 3];
      unsigned* rear = &fData[(std::size_t{fCount} + k) * 3];
      rear[0] = front[1] + vCount;
      rear[1] = front[0] + vCount;
      rear[2] = front[2] + vCount;
    }
  }
  D3DRMGROUPINDEX newGroup = -1;
  XCHECK_D3DRM_TEXT(target->AddGroup(vCount * copies, fCount * copies, vPerFace, fData.data(), &newGroup),
                    twoSided ? "new_mesh->AddGroup( vCount * 2, fCount * 2, vPerFace, fData, &new_group )"
                             : "new_mesh->AddGroup( vCount, fCount, vPerFace, fData, &new_group )");
  XASSERT_TEXT(group == newGroup, "group <= INT_MAX && (int)group == new_group", "Insure that new mesh's group order is same");
  if (vCount)
    XCHECK_D3DRM_TEXT(target->SetVertices(group, 0, vCount * copies, vData.data()),
                      twoSided ? "new_mesh->SetVertices( group, 0, vCount * 2, vData )"
                               : "new_mesh->SetVertices( group, 0, vCount, vData )");
  XCHECK_D3DRM_TEXT(target->SetGroupColor(group, loaded->GetGroupColor(group)),
                    "new_mesh->SetGroupColor( group, mesh->GetGroupColor( group ) )");
  XCHECK_D3DRM_TEXT(target->SetGroupMapping(group, loaded->GetGroupMapping(group)),
                    "new_mesh->SetGroupMapping( group, mesh->GetGroupMapping( group ) )");
  XCHECK_D3DRM_TEXT(target->SetGroupQuality(group, loaded->GetGroupQuality(group)),
                    "new_mesh->SetGroupQuality( group, mesh->GetGroupQuality( group ) )");
  IUPtr<IDirect3DRMMaterial> material;
  XCHECK_D3DRM_TEXT(loaded->GetGroupMaterial(group, &material), "mesh->GetGroupMaterial( group, &material )");
  XCHECK_D3DRM_TEXT(target->SetGroupMaterial(group, material), "new_mesh->SetGroupMaterial( group, material )");
  IUPtr<IDirect3DRMTexture> texture;
  XCHECK_D3DRM_TEXT(loaded->GetGroupTexture(group, &texture), "mesh->GetGroupTexture( group, &texture )");
  XCHECK_D3DRM_TEXT(target->SetGroupTexture(group, texture), "new_mesh->SetGroupTexture( group, texture )");
}

// Half the diagonal of the builder's box, in double.
double HalfDiagonal(IDirect3DRMMeshBuilder* builder) {
  D3DRMBOX bbox;
  XCHECK_D3DRM(builder->GetBox( &bbox ));
  const double dx = double{bbox.max.x} - bbox.min.x, dy = double{bbox.max.y} - bbox.min.y,
               dz = double{bbox.max.z} - bbox.min.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz) / 2.0;
}

// Scales a .x or .3ds object uniformly about the origin into the size range. False for an object
// that the 3D layer's single precision cannot hold there: below a size of about 1e-40 the factor
// itself is beyond it, and a small object far from the origin is moved beyond it.
bool ScaleIntoSizeRange(IDirect3DRMMeshBuilder* builder) {
  const double r = HalfDiagonal(builder);
  // A box of one point has no size to bring into range.
  double scale = 1.0;
  if (r > kLargestSize) scale = kLargestSize / r;
  else if (r < kSmallestSize && r > 0.0) scale = kSmallestSize / r;
  if (scale == 1.0) return true;
  if (!std::isfinite(D3DVAL(scale))) return false;
  XCHECK_D3DRM(builder->Scale( D3DVAL(scale), D3DVAL(scale), D3DVAL(scale) ));
  // A uniform scale leaves the normals as they were.
  return std::isfinite(HalfDiagonal(builder));
}

// Every group of a mesh is made of triangles (the builder fans polygons; anything else is a
// damaged file).
bool AllTriangles(IDirect3DRMMesh* mesh) {
  for (unsigned g = 0; g < mesh->GetGroupCount(); ++g) {
    unsigned vPerFace = 0;
    XCHECK_D3DRM_TEXT(mesh->GetGroup(static_cast<D3DRMGROUPINDEX>(g), NULL, NULL, &vPerFace, NULL, NULL),
                      "mesh->GetGroup( group, NULL, NULL, &vPerFace, NULL, NULL )");
    if (vPerFace != 3) return false;
  }
  return true;
}

// The parts of a mesh: the distinct looks of its groups, read from the last group to the first,
// each numbered in order; `groupMats` gets each part's group indices and `groupParts` each
// group's part.
void MeshParts(IDirect3DRMMesh* mesh, BOOL lighting, XList<Material>& parts, XList<GroupIndexList>& groupMats,
               XList<WORD>& groupParts) {
  parts.RemoveAll();
  groupMats.RemoveAll();
  groupParts.RemoveAll();
  for (auto g = static_cast<D3DRMGROUPINDEX>(mesh->GetGroupCount()); g-- > 0;) {
    Material m(mesh, g, -1, 0, 0, 1);
    m.lighting = lighting;
    m.name = "";
    WORD k = 0;
    POSITION pos = parts.GetHeadPosition();
    POSITION groupList = groupMats.GetHeadPosition();
    for (; pos && !(parts.GetAt(pos) == m); parts.GetNext(pos), groupMats.GetNext(groupList)) ++k;
    if (!pos) {
      parts.AddTail(m);
      GroupIndexList list;
      list.AddTail(static_cast<DWORD>(g));
      groupMats.AddTail(list);
    } else {
      groupMats.GetAt(groupList).AddTail(static_cast<DWORD>(g));
    }
    groupParts.AddTail(k);
  }
  WORD number = 0;
  for (POSITION pos = parts.GetHeadPosition(); pos;) parts.GetNext(pos).name = XString(static_cast<long>(number++));
}

}  // namespace

void MeshSO::Load() {
  XASSERT_TEXT(IsFromFile(), "GetFile() != SceneObj().GetFile()", "No filename specified");
  if (reference && error == none && JoinInstance()) return;
  error = LoadFromFile();
  // An object whose load failed is in no instance list (its destructor would not find it).
  if (error != none) LeaveInstanceList();
}

LONG MeshSO::LoadFromFile() {
  MeshLoadSource source;
  if (const LONG result = FindMeshSource(*this, &source); result != none) return result;
  ObjectFileHeader header;
  const ObjectFileRead kind = ReadObjectFile(source.bytes, &header);
  Apply(header, *this);
  if (kind == ObjectFileRead::kDamaged) return damagedFile;
  const bool objectFile = kind == ObjectFileRead::kRead;

  TextureLoadInfo info(texturesOn, GetEffectiveQuality(), style, brushSize);

  IUPtr<IDirect3DRMMeshBuilder> builder;
  XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateMeshBuilder(&builder),
                    "XGetApp()->lpD3DRM->CreateMeshBuilder( &builder )");
  XCHECK_D3DRM(builder->SetPerspective( TRUE ));
  HRESULT hr;
  {
    // Texture names inside the mesh data are found beside the file.
    XCurrentDirectoryGuard directory(source.textureFolder);
    const std::size_t offset = objectFile ? header.meshOffset : 0;
    D3DRMLOADMEMORY memory{source.bytes.data() + offset, static_cast<DWORD>(source.bytes.size() - offset)};
    while ((hr = builder->Load(&memory, NULL, D3DRMLOAD_FROMMEMORY, LoadTextureCallback, &info)) == D3DRMERR_BADALLOC)
      NoMemoryHandler(1);
  }
  source = MeshLoadSource();  // the data and any converted file go now
  if (hr == D3DRMERR_NOTFOUND) return noObjectInFile;
  if (hr == D3DRMERR_FILENOTFOUND) return fileNotFound;
  if (hr == D3DRMERR_BADFILE) return damagedFile;
  if (hr != D3DRM_OK) XAssertD3DRMFailed(__FILE__, __LINE__, __DATE__, __TIME__, "hr", hr);

  if (texturesOn) {
    texturesLoaded = info.loaded;
    if (!texturesLoaded) texturesOn = 0;
  }
  if (!objectFile && !texturesLoaded) cartoon = 1;

  if (!objectFile && !ScaleIntoSizeRange(builder)) return damagedFile;
  XCHECK_D3DRM(builder->SetPerspective( TRUE ));
  XCHECK_D3DRM(builder->SetQuality( D3DRMRENDER_PHONG ));

  IUPtr<IDirect3DRMMesh> loaded;
  XCHECK_D3DRM_TEXT(builder->CreateMesh(&loaded), "builder->CreateMesh( &mesh )");
  if (!AllTriangles(loaded)) return damagedFile;
  // Exporters write meshes without vertices or faces; they leave no part to show, outline or pick.
  if (loaded->GetGroupCount() == 0) return noObjectInFile;
  // A header naming another number of parts is refused before the new mesh replaces the old one,
  // which the objects sharing it still show and outline.
  if (objectFile) {
    XList<Material> parts;
    XList<GroupIndexList> partGroups;
    XList<WORD> groupPartIndices;
    MeshParts(loaded, 0, parts, partGroups, groupPartIndices);
    if (header.partNames.size() != static_cast<std::size_t>(parts.GetCount())) {
      XErrorBox(40240, file);
      return damagedFile;
    }
  }

  if (reference && mesh) LeaveInstanceList();
  const IUPtr<IDirect3DRMMesh> previous = mesh;
  mesh = nullptr;
  IUPtr<IDirect3DRMMesh> newMesh;
  XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateMesh(&newMesh), "XGetApp()->lpD3DRM->CreateMesh( &new_mesh )");
  for (unsigned g = 0; g < loaded->GetGroupCount(); ++g)
    CopyGroup(loaded, static_cast<D3DRMGROUPINDEX>(g), twoSided != 0, newMesh);
  mesh = newMesh;
  if (previous) {
    ReplaceVisualInfo replace(previous, mesh, nullptr);
    XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->EnumerateObjects(::ReplaceVisual, &replace),
                      "XGetApp()->lpD3DRM->EnumerateObjects( ::ReplaceVisual, &replace )");
  }
  if (reference) EnterInstanceList();
  XCHECK_D3DRM_TEXT(mesh->SetAppData(reference ? MULTIPLY_REFERENCED_BY_MESHSO : (DWORD_PTR)this),
                    "mesh->SetAppData( reference ? MULTIPLY_REFERENCED_BY_MESHSO : (DWORD)this )");
  SetupGroupMaterials(!objectFile, 0);
  BuildCartoonEdges();

  if (objectFile) {
    POSITION tex = texMats.GetHeadPosition();
    POSITION untex = untexMats.GetHeadPosition();
    for (std::size_t i = 0; i < header.partNames.size(); ++i) {
      texMats.GetNext(tex).name = header.partNames[i].c_str();
      Material& solid = untexMats.GetNext(untex);
      solid.name = header.partNames[i].c_str();
      solid.lighting = header.partLit[i] != 0;
    }
    SyncGroupMaterials(0, texturesOn);
  }
  return none;
}

LONG MeshSO::GetEffectiveQuality() const {
  if (quality == 0) return 0;
  // In 64 bits: a quality read from a file may lie anywhere in its range.
  const long long biased = static_cast<long long>(quality) + Globals::GetObjectQualityBias();
  constexpr long long kLeast = std::numeric_limits<LONG>::min() + 1, kMost = std::numeric_limits<LONG>::max() - 1;
  const LONG e = static_cast<LONG>(std::clamp<long long>(biased, kLeast, kMost));
  if (quality < 0 && e > 0) return e + 1;
  if (quality > 0 && e < 0) return e - 1;
  return e;
}

void MeshSO::SetupGroupMaterials(BOOL apply, BOOL lighting) {
  const auto groups = static_cast<D3DRMGROUPINDEX>(mesh->GetGroupCount());
  for (D3DRMGROUPINDEX g = groups; g-- > 0;) XSetGroupVertexColor(mesh, g, mesh->GetGroupColor(g));
  XList<Material> parts;
  MeshParts(mesh, lighting, parts, groupMats, groupParts);
  // The parts are the new mesh's: the lists start again rather than merging into the old ones.
  untexMats.RemoveAll();
  texMats.RemoveAll();
  SetUntexMats(parts, apply);
  for (POSITION pos = parts.GetHeadPosition(); pos;) {
    Material& m = parts.GetNext(pos);
    m.diffuse = Color(1.0, 1.0, 1.0, 1.0);
    m.emissive = Color(0.0, 0.0, 0.0, 1.0);
    m.lighting = 1;
    m.smooth = 1;
  }
  SetTexMats(parts, apply);
}
