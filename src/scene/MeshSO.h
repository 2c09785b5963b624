// A mesh object: the scene object of one platform mesh, the visual of every imported object and
// of the rotate-about cylinder and the ground. It keeps what the platform cannot: the file the
// mesh came from, its box and sphere, its quality, its artistic look, the per-part looks of its
// two looks and the grouping of mesh groups into parts, and the cartoon edge data. The geometry is
// never archived: it is read again from the object's file.
//
// The class's code is split by task, one source file each:
//   MeshSO.cpp            layout, construction, destruction, the box
//   GeneratedMeshes.cpp   the cylinder and the ground
//   MeshSOLoad.cpp        loading from a file, effective quality, part materials
//   MeshSOInstances.cpp   shared instances: renaming, edit-all-copies, reloading
//   MeshSOLooks.cpp       quality, artistic looks, textures, part looks
//   MeshSOCopy.cpp        copying
//   MeshSOArchive.cpp     the archive record
//   MeshSOPick.cpp        ray picking
//   MeshSOCartoon.cpp     cartoon edge data and the cartoon line pass
#pragma once

#include "core/XList.h"
#include "scene/InstanceMap.h"
#include "scene/Material.h"
#include "scene/MeshPickCache.h"
#include "scene/RefArray.h"
#include "scene/VisualSO.h"

class GroupSO;

// The application data of a mesh that several same-named mesh objects share.
inline constexpr DWORD_PTR MULTIPLY_REFERENCED_BY_MESHSO = 0x8BADBEEF;

class MeshSO : public VisualSO {
  DECLARE_SERIAL(MeshSO)
 public:
  // An empty mesh: used when a scene file is read and by copying.
  MeshSO();
  // The object of a file; `objectName` null names it after the file's title. A file that cannot
  // be loaded leaves `error` set and the box empty.
  MeshSO(const char* path, BOOL editAllCopies, const char* objectName, BOOL reverseFaces, BOOL twoSidedFaces);
  // The rotate-about cylinder: `segments` segments (at least 2), `radius`, `length`, `color`.
  MeshSO(int segments, double radius, double length, D3DCOLOR color);
  // The ground: a unit square with `grids` grid lines each way.
  MeshSO(int grids, D3DCOLOR color);
  // Leaves the name's instance list when listed.
  ~MeshSO() override;

  // Takes the box of the mesh and the sphere around it.
  void GetBox();
  void TakeBox() { GetBox(); }
  const BoundingBox& GetBoundingBox() const { return box; }
  const BoundingSphere& GetBoundingSphere() const { return sphere; }
  IDirect3DRMMesh* GetD3DRMMesh() const { return mesh; }

  // Generated meshes, built or rebuilt in place with an empty look.
  void BuildCylinder(int segments, double radius, double length, D3DCOLOR color);
  void BuildGround(int grids, D3DCOLOR color);

  // VisualSO
  void Serialize(CArchive& ar) override;
  void SetName(const CString& newName) override;
  IUPtr<IDirect3DRMVisual> GetD3DRMVisual() override;
  BOOL Intersect(const Vector& origin, const Vector& direction, double& distance, Vector& point,
                 D3DRMPICKDESC& desc) override;
  LONG GetQuality() override;
  void SetQuality(LONG newQuality) override;
  void ApplyQuality(BOOL firstInstanceOnly) override;
  void SetArtistic(LONG newTexturesOn, LONG newStyle, LONG newBrushSize, LONG newCartoon,
                   const Color& newSilhouetteColor, DWORD newSilhouetteWidth, const Color& newSurfaceColor,
                   DWORD newSurfaceWidth) override;
  void ReloadTextures(BOOL firstInstanceOnly) override;
  Ptr<VisualSO> Copy(Ptr<VisualSO> target, BOOL unshare) override;
  void DrawCartoonLines(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport,
                        const Transform& toWorld, const Transform& toLocal, double widthScale) override;

  // Loading from the object's file.
  void Load();
  LONG GetEffectiveQuality() const;
  void SetupGroupMaterials(BOOL apply, BOOL lighting);

  // Shared instances.
  void Reload();
  void SetEditAllCopies(BOOL flag, Ptr<GroupSO> parentGroup);
  static Ptr<MeshSO> LookupInstance(const CString& instanceName);
  BOOL IsSameAs(const MeshSO& other) const;

  // Looks.
  // A style and brush the Artistic page can show: Photo, Painted or Very painted (0..2), and a
  // radius the painted looks' filter takes.
  static bool IsValidStyle(LONG style, LONG brushSize);
  // Line widths are a few pixels; one past any picture's size is damage, not a look.
  static bool AreValidLineWidths(DWORD silhouette, DWORD surface);
  void GetArtistic(LONG& outTexturesOn, LONG& outStyle, LONG& outBrushSize, LONG& outCartoon,
                   Color& outSilhouetteColor, DWORD& outSilhouetteWidth, Color& outSurfaceColor,
                   DWORD& outSurfaceWidth) const;
  void GetTexMats(XList<Material>& out) const;
  void GetUntexMats(XList<Material>& out) const;
  void SetTexMats(const XList<Material>& mats, BOOL apply);
  void SetUntexMats(const XList<Material>& mats, BOOL apply);
  void SyncGroupMaterials(BOOL firstInstanceOnly, BOOL textured);

  // Cartoon edge data of the current mesh.
  void BuildCartoonEdges();

  // Layout, in declaration order.
  IUPtr<IDirect3DRMMesh> mesh;
  BoundingBox box;        // of the mesh, in its own coordinates; empty until taken (changed
                          // while groups show the mesh, it is announced by ExtentChanged)
  BoundingSphere sphere;  // around `box`, for picking
  BOOL reference = 0;     // "Edit all copies": same-named objects share one mesh
  LONG quality = 0;       // 0: the object has no quality
  LONG style = 0;         // 0 Photo, 1 Painted, 2 Very painted
  LONG brushSize = 3;
  BOOL reverse = 0;   // the 3D Studio converter reverses the faces
  BOOL twoSided = 0;  // faces are doubled with reversed winding when loaded
  BOOL texturesOn = 0;
  BOOL texturesLoaded = 0;
  BOOL cartoon = 0;
  Color silhouetteColor{0.0, 0.0, 0.0, 1.0};
  DWORD silhouetteWidth = 1;
  Color surfaceColor{0.0, 0.0, 0.0, 1.0};
  DWORD surfaceWidth = 1;
  XList<Material> texMats{10};    // one per part, shown with textures
  XList<Material> untexMats{10};  // one per part, the Solid color look
  XList<GroupIndexList> groupMats{10};  // one per part: its mesh group indices
  XList<WORD> groupParts{10};           // one per mesh group: its part index
  Ptr<RefArray> faceNormals;
  Ptr<RefArray> weldMap;
  LONG numShared = 0;
  Ptr<RefArray> surfEdges;
  Ptr<RefArray> surfEdgeFaces;
  LONG numEdges = 0;
  // Not archived: the mesh's triangles laid out for picking, shared by the objects sharing it.
  MeshPickCache pickTriangles;

  // Two lists of part looks are equal: the same count and equal Materials in order.
  static bool SameMaterials(const XList<Material>& a, const XList<Material>& b);
  // Each given Material, in order, overwrites the first same-named one of `mats`; names that
  // `mats` lacks are dropped and its order stays.
  static void OverwriteByName(const XList<Material>& given, XList<Material>& mats);
  // Part looks the Artistic page can show: one of each list per part, the same names in order.
  static bool AreMatchingPartLooks(const XList<Material>& tex, const XList<Material>& untex);

 private:
  // Member defaults, then the construction guard is taken by each constructor.
  void ResetForBuild();

  // The load after joining: none, or the error that ends it.
  LONG LoadFromFile();
  // The instance list the object is in while it shares a mesh (reference set, no error, a
  // mesh), else null; a missing list is fatal with `description`.
  InstanceList* SharedList(const char* description) const;
  // Not sharing, or the first object of its list.
  bool IsFirstInstance() const;
  // Takes the mesh and look of another listed object of the name; false when there is none.
  bool JoinInstance();
  // Out of its name's list wherever it stands (an emptied list goes); in at the end.
  void LeaveInstanceList();
  void EnterInstanceList();
  void SetPartLooks(const XList<Material>& mats, BOOL apply, bool textured);
  // An object sharing its mesh takes the pick triangles another sharer has built for it.
  void TakeSharersPickTriangles();
};
