// The cartoon edge data of a mesh, computed once from its geometry: a unit normal per face, a
// weld map joining the mesh vertices that carry one point of the surface, and the surface edges
// (creases, part boundaries and seams inside a group) that surface lines are drawn along.
//
// Vertices and faces are numbered across the mesh's groups from the last group to the first;
// inside a group they keep the group's order.
#pragma once

#include <vector>

#include "platform/d3drm/D3DRM.h"

// One mesh group as the builder reads it.
struct CartoonGroup {
  const D3DRMVERTEX* vertices;
  DWORD vCount;
  const unsigned* faces;  // three vertex indices of the group per face
  DWORD fCount;
  WORD part;              // the part the group's look belongs to
};

struct CartoonEdgeData {
  std::vector<D3DVECTOR> faceNormals;  // per face; (0, 0, 0) for a face without area
  std::vector<DWORD> weldMap;          // per vertex, its representative (a representative maps to itself)
  DWORD numShared = 0;                 // the number of representatives
  std::vector<DWORD> surfEdges;        // per edge: end0, end1, oppA, oppB (representatives)
  std::vector<DWORD> surfEdgeFaces;    // per edge: face A, face B
  DWORD numEdges = 0;
};

// Builds the data of a mesh whose groups are given in the mesh's own order (group 0 first).
CartoonEdgeData BuildCartoonEdgeData(const std::vector<CartoonGroup>& groups);
