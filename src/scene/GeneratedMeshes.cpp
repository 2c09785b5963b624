// The two meshes the program generates: the rotate-about cylinder and the ground.
#include <climits>
#include <vector>

#include "core/CircleSegments.h"
#include "scene/MeshSO.h"
#include "scene/SceneServices.h"

namespace {

// Lines of the ground are drawn as slivers: the two ends and a point this far from one of them.
constexpr double kSliver = 0.00001;

// The largest grid count whose face array (12 indices per grid line) has 32-bit sizes.
constexpr int kMaxGrids = static_cast<int>(UINT_MAX / 12);

D3DRMVERTEX VertexAt(const Vector& position, const D3DVECTOR& normal, D3DCOLOR color) {
  return {position.ToD3DVECTOR(), normal, 0.0f, 0.0f, color};
}

void AddTriangle(std::vector<unsigned>& faces, unsigned a, unsigned b, unsigned c) {
  faces.insert(faces.end(), {a, b, c});
}

// Both windings of each sliver, so that a line shows from either side.
void AddSliver(std::vector<unsigned>& faces, unsigned end, unsigned near, unsigned other) {
  AddTriangle(faces, end, near, other);
  AddTriangle(faces, near, end, other);
}

}  // namespace

void MeshSO::ResetForBuild() {
  mesh = nullptr;
  quality = 0;
  style = 0;
  texturesOn = 0;
  texturesLoaded = 0;
  cartoon = 0;
  texMats.RemoveAll();
  untexMats.RemoveAll();
  XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateMesh(&mesh), "XGetApp()->lpD3DRM->CreateMesh( &mesh )");
}

void MeshSO::BuildCylinder(int segments, double radius, double length, D3DCOLOR color) {
  ResetForBuild();
  CArray<Vector, const Vector&> starts, ends;
  XMakeCircleSegments(segments, starts, ends, radius, length);
  const int num = starts.GetSize();
  XASSERT(num > 1, "");
  const auto n = static_cast<unsigned>(num);

  std::vector<unsigned> faces;
  faces.reserve(12 * static_cast<std::size_t>(n));
  for (unsigned i = 0; i < n; ++i) {
    const unsigned j = i + 1 < n ? i + 1 : 0;
    AddTriangle(faces, i, j, n + i);
    AddTriangle(faces, n + i, j, n + j);
    AddTriangle(faces, 2 * n + i, 4 * n, 2 * n + j);
    AddTriangle(faces, 3 * n + j, 4 * n + 1, 3 * n + i);
  }
  D3DRMGROUPINDEX groupIndex;
  XCHECK_D3DRM_TEXT(mesh->AddGroup(num * 4 + 2, num * 4, 3, (unsigned*)faces.data(), &groupIndex),
                    "mesh->AddGroup( num*4+2, num*4, 3, (unsigned*)faces, &groupIndex )");

  const D3DVECTOR none{0.0f, 0.0f, 0.0f};
  const D3DCOLOR white = D3DRMCreateColorRGB(1.0f, 1.0f, 1.0f);
  std::vector<D3DRMVERTEX> vertices;
  vertices.reserve(4 * static_cast<std::size_t>(n) + 2);
  for (int i = 0; i < num; ++i) vertices.push_back(VertexAt(starts[i], none, white));
  for (int i = 0; i < num; ++i) vertices.push_back(VertexAt(ends[i], none, white));
  for (int i = 0; i < num; ++i) vertices.push_back(VertexAt(starts[i], none, white));
  for (int i = 0; i < num; ++i) vertices.push_back(VertexAt(ends[i], none, white));
  vertices.push_back(VertexAt(Vector(0.0, 0.0, 0.0), none, white));
  vertices.push_back(VertexAt(Vector(length, 0.0, 0.0), none, white));
  XCHECK_D3DRM_TEXT(mesh->SetVertices(groupIndex, 0, num * 4 + 2, vertices.data()),
                    "mesh->SetVertices( groupIndex, 0, num*4+2, vertices )");
  XCHECK_D3DRM(mesh->SetGroupColor( groupIndex, color ));
  XCHECK_D3DRM(mesh->SetGroupQuality( groupIndex, D3DRMRENDER_PHONG ));

  IUPtr<IDirect3DRMMeshBuilder> builder;
  XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateMeshBuilder(&builder),
                    "XGetApp()->lpD3DRM->CreateMeshBuilder( &builder )");
  XCHECK_D3DRM(builder->AddMesh( mesh ));
  mesh = nullptr;
  XCHECK_D3DRM(builder->GenerateNormals());
  XCHECK_D3DRM(builder->CreateMesh( &mesh ));

  XCHECK_D3DRM_TEXT(mesh->SetAppData((DWORD_PTR)this), "mesh->SetAppData( (DWORD)this )");
  GetBox();
  SetupGroupMaterials(1, 1);
  BuildCartoonEdges();
}

void MeshSO::BuildGround(int grids, D3DCOLOR color) {
  const int _grids = grids;
  XASSERT_TEXT(static_cast<unsigned>(_grids) < INT_MAX, "_grids < INT_MAX", "");
  // Larger counts would overflow the sizes of the grid's arrays.
  XASSERT(_grids <= kMaxGrids, "Too many grid lines");
  ResetForBuild();

  const D3DVECTOR up{0.0f, 1.0f, 0.0f};
  const D3DRMVERTEX vertices2[6] = {VertexAt(Vector(0, 0, 0), up, color),
                                    VertexAt(Vector(kSliver, kSliver, kSliver), up, color),
                                    VertexAt(Vector(1, 0, 0), up, color),
                                    VertexAt(Vector(0, 0, 1), up, color),
                                    VertexAt(Vector(1, 0, 1), up, color),
                                    VertexAt(Vector(1 - kSliver, kSliver, 1 - kSliver), up, color)};
  std::vector<unsigned> faces2;
  AddSliver(faces2, 0, 1, 2);
  AddSliver(faces2, 0, 1, 3);
  AddSliver(faces2, 4, 5, 2);
  AddSliver(faces2, 4, 5, 3);
  D3DRMGROUPINDEX groupIndex;
  XCHECK_D3DRM_TEXT(mesh->AddGroup(6, 8, 3, (unsigned*)faces2.data(), &groupIndex),
                    "mesh->AddGroup( 6, 8, 3, (unsigned*)faces2, &groupIndex )");
  XCHECK_D3DRM(mesh->SetVertices( groupIndex, 0, 6, vertices2 ));
  XCHECK_D3DRM(mesh->SetGroupColor( groupIndex, color ));
  XCHECK_D3DRM(mesh->SetGroupQuality( groupIndex, D3DRMRENDER_WIREFRAME ));

  if (grids > 0) {
    const auto g = static_cast<unsigned>(grids);
    std::vector<unsigned> faces;
    faces.reserve(12 * static_cast<std::size_t>(g));
    for (unsigned k = 0; k < g; ++k) AddTriangle(faces, k, g + k, 2 * g + k);
    for (unsigned k = 0; k < g; ++k) AddTriangle(faces, g + k, k, 2 * g + k);
    for (unsigned k = 0; k < g; ++k) AddTriangle(faces, 3 * g + k, 4 * g + k, 5 * g + k);
    for (unsigned k = 0; k < g; ++k) AddTriangle(faces, 4 * g + k, 3 * g + k, 5 * g + k);
    XCHECK_D3DRM_TEXT(mesh->AddGroup(grids * 6, grids * 4, 3, (unsigned*)faces.data(), &groupIndex),
                      "mesh->AddGroup( grids*6, grids*4, 3, (unsigned*)faces, &groupIndex )");
    faces = {};

    std::vector<D3DRMVERTEX> vertices(6 * static_cast<std::size_t>(g));
    for (unsigned k = 0; k < g; ++k) {
      const double t = static_cast<float>((k + 1.0) / (g + 1.0));
      vertices[k] = VertexAt(Vector(0, 0, t), up, color);
      vertices[g + k] = VertexAt(Vector(kSliver, kSliver, t + kSliver), up, color);
      vertices[2 * g + k] = VertexAt(Vector(1, 0, t), up, color);
      vertices[3 * g + k] = VertexAt(Vector(t, 0, 0), up, color);
      vertices[4 * g + k] = VertexAt(Vector(t + kSliver, kSliver, kSliver), up, color);
      vertices[5 * g + k] = VertexAt(Vector(t, 0, 1), up, color);
    }
    XCHECK_D3DRM_TEXT(mesh->SetVertices(groupIndex, 0, grids * 6, vertices.data()),
                      "mesh->SetVertices( groupIndex, 0, grids*6, vertices )");
    XCHECK_D3DRM(mesh->SetGroupColor( groupIndex, color ));
    XCHECK_D3DRM(mesh->SetGroupQuality( groupIndex, D3DRMRENDER_WIREFRAME ));
  }

  XCHECK_D3DRM_TEXT(mesh->SetAppData((DWORD_PTR)this), "mesh->SetAppData( (DWORD)this )");
  GetBox();
  SetupGroupMaterials(1, 0);
  BuildCartoonEdges();
}
