// Cartoon lines drawn over a rendered object: silhouette lines where the visible surface turns
// away from the viewer, and surface lines along the creases, part boundaries and seams of the
// object's edge data. Each line becomes a band of triangles of the line's width on the screen,
// drawn through execute buffers and depth-tested against the rendered image.
//
// Vertex and face numbers are those of the object's edge data: all groups laid end to end, from
// the last group to the first.
#pragma once

#include "core/Pointers.h"
#include "core/Transform.h"
#include "platform/d3drm/D3DRM.h"

// The projection of ProjectVertices: depth offset A and scale B, screen centre and scale S; and
// the camera depth of the front plane, before which lines are cut off as the surfaces are.
struct CartoonProjection {
  double zOffset;
  double zScale;
  double centreX;
  double centreY;
  double scale;
  double front;
};

// Draws the silhouette lines of a mesh of vCount vertices and fCount faces. `faces` holds three
// vertex numbers per face and is left holding welded numbers. Nothing is drawn, and the viewport
// is not touched, when no line is found, when the mesh has no faces or 65,535 or more welded
// vertices, or when the viewport is narrower or lower than 2 pixels.
void DrawCartoonLines(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport, const Transform& meshToWorld,
                      const Transform& meshToCamera, const D3DVECTOR& viewer, const D3DVECTOR& direction,
                      const D3DRMVERTEX* vertices, DWORD* faces, const D3DVECTOR* faceNormals, const DWORD* weldMap,
                      DWORD numShared, DWORD vCount, DWORD fCount, double width, D3DCOLOR colour, BOOL allInside,
                      const CartoonProjection& projection);

// Draws the surface lines of the numEdges records of `surfEdges` (end0, end1, oppA, oppB) and
// `surfEdgeFaces` (face A, face B), in runs of at most 100 edges, each followed by a viewport
// update. Nothing is drawn in a viewport narrower or lower than 2 pixels.
void DrawCartoonQuads(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport, const Transform& meshToWorld,
                      const Transform& meshToCamera, const D3DVECTOR& viewer, const D3DVECTOR& direction,
                      const D3DRMVERTEX* vertices, const D3DVECTOR* faceNormals, DWORD vCount, const DWORD* surfEdges,
                      const DWORD* surfEdgeFaces, DWORD numEdges, double width, D3DCOLOR colour, BOOL allInside,
                      const CartoonProjection& projection);
