#include "scene/MeshPickCache.h"

const MeshPickData& MeshPickCache::For(IDirect3DRMMesh* mesh, const RefArray& normals) {
  const std::uint64_t current = D3DRMMeshRevision(mesh);
  if (revision == current && holder == &normals && normalsData == normals.vectors.data() &&
      normalsSize == normals.vectors.size())
    return data;
  data = {};
  MeshGroupData group;
  std::size_t firstFace = 0;
  for (unsigned g = mesh->GetGroupCount(); g-- > 0;) {
    ReadMeshGroup(mesh, static_cast<D3DRMGROUPINDEX>(g), group);
    if (firstFace + group.fCount > normals.vectors.size()) break;  // edge data that does not describe this mesh
    data.AddGroup(group, normals.vectors.data() + firstFace, static_cast<LONG>(g));
    firstFace += group.fCount;
  }
  revision = current;
  holder = &normals;
  normalsData = normals.vectors.data();
  normalsSize = normals.vectors.size();
  return data;
}
