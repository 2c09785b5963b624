#include "scene/MeshPickCache.h"

bool MeshPickCache::Describes(IDirect3DRMMesh* mesh, const RefArray& normals) const {
  return data && revision == D3DRMMeshRevision(mesh) && holder == &normals &&
         normalsData == normals.vectors.data() && normalsSize == normals.vectors.size();
}

const MeshPickData& MeshPickCache::For(IDirect3DRMMesh* mesh, const RefArray& normals) {
  if (Describes(mesh, normals)) return *data;
  auto built = std::make_shared<MeshPickData>();
  MeshGroupData group;
  std::size_t firstFace = 0;
  for (unsigned g = mesh->GetGroupCount(); g-- > 0;) {
    ReadMeshGroup(mesh, static_cast<D3DRMGROUPINDEX>(g), group, kGatherReadTexts);
    if (firstFace + group.fCount > normals.vectors.size()) break;  // edge data that does not describe this mesh
    built->AddGroup(group, normals.vectors.data() + firstFace, static_cast<LONG>(g));
    firstFace += group.fCount;
  }
  revision = D3DRMMeshRevision(mesh);
  holder = &normals;
  normalsData = normals.vectors.data();
  normalsSize = normals.vectors.size();
  data = std::move(built);
  return *data;
}
