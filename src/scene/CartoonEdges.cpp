#include "scene/CartoonEdges.h"

#include <cmath>
#include <cstdint>

#include "scene/CartoonVertex.h"
#include "scene/EdgeMap.h"

namespace {

// The mesh laid out in the edge data's numbering.
struct Gathered {
  std::vector<D3DRMVERTEX> vertices;
  std::vector<DWORD> faces;         // three vertex numbers per face
  std::vector<DWORD> faceGroup;     // the mesh group of each face
  std::vector<WORD> facePart;       // the part of each face's group
  std::vector<DWORD> groupStart;    // per mesh group, its first vertex number
};

Gathered Gather(const std::vector<CartoonGroup>& groups) {
  Gathered g;
  g.groupStart.resize(groups.size());
  for (std::size_t index = groups.size(); index-- > 0;) {
    const CartoonGroup& group = groups[index];
    const DWORD first = static_cast<DWORD>(g.vertices.size());
    g.groupStart[index] = first;
    g.vertices.insert(g.vertices.end(), group.vertices, group.vertices + group.vCount);
    for (DWORD i = 0; i < 3 * group.fCount; ++i) g.faces.push_back(first + group.faces[i]);
    g.faceGroup.insert(g.faceGroup.end(), group.fCount, static_cast<DWORD>(index));
    g.facePart.insert(g.facePart.end(), group.fCount, group.part);
  }
  return g;
}

D3DVECTOR Difference(const D3DVECTOR& a, const D3DVECTOR& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

// The unit normal (p1 - p0) x (p2 - p0); a face without area gets none.
D3DVECTOR FaceNormal(const D3DVECTOR& p0, const D3DVECTOR& p1, const D3DVECTOR& p2) {
  const D3DVECTOR d1 = Difference(p1, p0), d2 = Difference(p2, p0);
  const float x = d1.y * d2.z - d1.z * d2.y, y = d1.z * d2.x - d1.x * d2.z, z = d1.x * d2.y - d1.y * d2.x;
  const float l = static_cast<float>(std::sqrt(double(x * x + y * y + z * z)));
  if (l == 0.0f || !std::isfinite(l)) return {0.0f, 0.0f, 0.0f};
  const float k = 1.0f / l;
  return {x * k, y * k, z * k};
}

// Keys that are equal go to one chain; a chain is searched from the newest key, so of several
// stored keys equal to a new one (equality is not transitive) the newest wins.
class WeldTable {
 public:
  explicit WeldTable(std::size_t vCount)
      : heads_(vCount < 1700 ? 2053 : vCount < 3755 ? 4507 : vCount < 7510 ? 9013 : 32933, -1) {
    entries_.reserve(vCount);
  }

  // The representative of an equal key, or `number` after storing the key under it.
  DWORD FindOrAdd(const CartoonVertex& key, DWORD number, bool* found) {
    std::int32_t& head = heads_[HashKey(key) % heads_.size()];
    for (std::int32_t at = head; at >= 0; at = entries_[at].next)
      if (entries_[at].key == key) {
        *found = true;
        return entries_[at].number;
      }
    entries_.push_back({key, number, head});
    head = static_cast<std::int32_t>(entries_.size() - 1);
    *found = false;
    return number;
  }

 private:
  struct Entry {
    CartoonVertex key;
    DWORD number;
    std::int32_t next;
  };
  std::vector<std::int32_t> heads_;
  std::vector<Entry> entries_;
};

struct Registration {
  DWORD face;
  DWORD corner;  // the corner opposite the edge, 0 to 2
};

class SurfaceEdges {
 public:
  SurfaceEdges(const Gathered& mesh, CartoonEdgeData& data, const std::vector<BYTE>& shared)
      : mesh_(mesh), data_(data), shared_(shared), map_(static_cast<DWORD>(mesh.vertices.size()), static_cast<DWORD>(mesh.faces.size() / 3)) {
    registrations_.reserve(mesh.faces.size());
  }

  void Find() {
    const DWORD fCount = static_cast<DWORD>(mesh_.faces.size() / 3);
    for (DWORD f = fCount; f-- > 0;) {
      const DWORD* c = Corners(f);
      const int code = 4 * Shared(c[0]) + 2 * Shared(c[1]) + Shared(c[2]);
      // Only an edge with both ends shared can lie on a seam.
      if ((code & 3) == 3) Candidate(f, c[1], c[2], 0, false);
      if ((code & 5) == 5) Candidate(f, c[0], c[2], 1, true);
      if ((code & 6) == 6) Candidate(f, c[0], c[1], 2, false);
    }
  }

 private:
  const DWORD* Corners(DWORD face) const { return &mesh_.faces[3 * std::size_t{face}]; }
  DWORD R(DWORD vertex) const { return data_.weldMap[vertex]; }
  int Shared(DWORD vertex) const { return shared_[R(vertex)] ? 1 : 0; }

  // The vertex normal of `vertex` equals that of g's corner that welds to it.
  bool SameNormal(DWORD vertex, const DWORD* g) const {
    for (int i = 0; i < 3; ++i)
      if (R(g[i]) == R(vertex)) {
        const D3DVECTOR &a = mesh_.vertices[vertex].normal, &b = mesh_.vertices[g[i]].normal;
        return a.x == b.x && a.y == b.y && a.z == b.z;
      }
    return true;
  }

  void Candidate(DWORD f, DWORD e0, DWORD e1, DWORD k, bool swapped) {
    const std::uint64_t key = map_.Key(R(e0), R(e1));
    if (LONG* at = map_.Find(key)) {
      Pair(f, e0, e1, k, swapped, registrations_[*at]);
      return;
    }
    map_.Insert(key, static_cast<LONG>(registrations_.size()));
    registrations_.push_back({f, k});
  }

  // f meets the edge that face g registered first; a seam gives a surface edge.
  void Pair(DWORD f, DWORD e0, DWORD e1, DWORD k, bool swapped, const Registration& first) {
    const DWORD g = first.face, kg = first.corner;
    const DWORD* gc = Corners(g);
    for (DWORD i = 0; i < 3; ++i)
      if (i != kg && (gc[i] == e0 || gc[i] == e1)) return;  // one mesh vertex: no seam at that end
    const bool sameGroup = mesh_.faceGroup[f] == mesh_.faceGroup[g];
    const bool otherPart = mesh_.facePart[f] != mesh_.facePart[g];
    if (!sameGroup && !otherPart && SameNormal(e0, gc) && SameNormal(e1, gc)) return;
    const DWORD x = R(Corners(f)[k]), y = R(gc[kg]);
    data_.surfEdges.insert(data_.surfEdges.end(), {R(e0), R(e1), swapped ? y : x, swapped ? x : y});
    data_.surfEdgeFaces.insert(data_.surfEdgeFaces.end(), {swapped ? g : f, swapped ? f : g});
  }

  const Gathered& mesh_;
  CartoonEdgeData& data_;
  const std::vector<BYTE>& shared_;
  EdgeMap map_;
  std::vector<Registration> registrations_;
};

}  // namespace

CartoonEdgeData BuildCartoonEdgeData(const std::vector<CartoonGroup>& groups) {
  const Gathered mesh = Gather(groups);
  CartoonEdgeData data;
  const std::size_t fCount = mesh.faces.size() / 3, vCount = mesh.vertices.size();

  data.faceNormals.resize(fCount);
  for (std::size_t f = 0; f < fCount; ++f) {
    const DWORD* c = &mesh.faces[3 * f];
    data.faceNormals[f] = FaceNormal(mesh.vertices[c[0]].position, mesh.vertices[c[1]].position,
                                     mesh.vertices[c[2]].position);
  }

  // Weld: groups from the last to the first, each group's vertices from its last to its first.
  data.weldMap.resize(vCount);
  std::vector<BYTE> shared(vCount, 0);
  WeldTable table(vCount);
  for (std::size_t index = groups.size(); index-- > 0;) {
    const DWORD first = mesh.groupStart[index];
    for (DWORD v = first + groups[index].vCount; v-- > first;) {
      bool found = false;
      const D3DRMVERTEX& vertex = mesh.vertices[v];
      const CartoonVertex key{vertex.position.x, vertex.position.y, vertex.position.z,
                              vertex.normal.x,   vertex.normal.y,   vertex.normal.z};
      const DWORD r = table.FindOrAdd(key, v, &found);
      data.weldMap[v] = r;
      if (found)
        shared[r] = 1;
      else
        ++data.numShared;
    }
  }

  data.surfEdges.reserve(12 * fCount);
  data.surfEdgeFaces.reserve(6 * fCount);
  SurfaceEdges(mesh, data, shared).Find();
  data.numEdges = static_cast<DWORD>(data.surfEdges.size() / 4);
  data.surfEdges.shrink_to_fit();
  data.surfEdgeFaces.shrink_to_fit();
  return data;
}
