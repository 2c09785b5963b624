// One execute buffer of cartoon-line bands: screen vertices from its start (vertex 0 is the guard
// vertex), triangles written backwards from its end, and a fixed instruction stream, executed
// unclipped on the immediate-mode device and viewport behind a retained-mode device and viewport.
#pragma once

#include "core/Pointers.h"
#include "platform/d3drm/D3DRM.h"

// Buffer sizes of a silhouette batch and of a surface-line run.
constexpr DWORD kSilhouetteBufferSize = 0x1FFF8;
constexpr DWORD kSurfaceBufferSize = 0xFFF8;

// Makes every triangle of [triangles, trianglesEnd) with a corner outside the inclusive pixel
// rectangle a point at vertex 0 (0, 0, 0); its flags and place stay. A corner is outside when
// its pixel column floor(sx) or row floor(sy) leaves the rectangle, or when sx or sy is not a
// finite number. The rectangle needs xMin >= 0 and yMin >= 0.
void CullTrianglesOutsideViewport(const D3DTLVERTEX* vList, const D3DTLVERTEX* vListEnd, D3DTRIANGLE* trianglesEnd,
                                  D3DTRIANGLE* triangles, LONG xMin, LONG yMin, LONG xMax, LONG yMax);

class CartoonBatch {
 public:
  // Creates and locks a buffer of `size` bytes on the Direct3D device behind `device`.
  CartoonBatch(IDirect3DRMDevice* device, DWORD size);
  ~CartoonBatch();
  CartoonBatch(const CartoonBatch&) = delete;
  CartoonBatch& operator=(const CartoonBatch&) = delete;

  // Vertex 1 onwards: the drawer projects its n vertices here, then calls SetProjected(n).
  D3DTLVERTEX* Projected() { return vertices_ + 1; }
  // Gives every projected vertex the colour, no specular and depth pulled by `pull`(sz), then
  // makes the guard vertex: a copy of vertex 1 at (viewX, viewY) behind the back plane, so that
  // nothing drawn from it passes the depth test.
  template <class Pull>
  void SetProjected(DWORD n, D3DCOLOR colour, LONG viewX, LONG viewY, Pull pull) {
    for (DWORD i = n; i > 0; --i) {
      D3DTLVERTEX& v = vertices_[i];
      v.specular = 0;
      v.color = colour;
      v.sz = pull(v.sz);
    }
    count_ = n + 1;
    vertices_[0] = vertices_[1];
    vertices_[0].sx = static_cast<D3DVALUE>(viewX);
    vertices_[0].sy = static_cast<D3DVALUE>(viewY);
    vertices_[0].sz = 2.0f;
  }

  D3DTLVERTEX& Vertex(WORD number) { return vertices_[number]; }
  DWORD VertexCount() const { return count_; }
  // Appends a vertex and returns its number.
  WORD AddVertex(const D3DTLVERTEX& vertex);
  // Puts a triangle before the ones made so far.
  void AddTriangle(WORD a, WORD b, WORD c);
  DWORD TriangleCount() const { return static_cast<DWORD>(end_ - triangles_); }

  // Culls against the viewport's rectangle unless `allInside` (a vertex that is not a finite
  // point culls anyway), writes the instructions, and executes the buffer on `viewport`.
  void Execute(IDirect3DRMViewport* viewport, bool allInside);

 private:
  IUPtr<IDirect3DDevice> device_;
  IUPtr<IDirect3DExecuteBuffer> buffer_;
  BYTE* data_ = nullptr;
  DWORD size_ = 0;
  D3DTLVERTEX* vertices_ = nullptr;
  DWORD count_ = 0;
  D3DTRIANGLE* end_ = nullptr;        // where the EXIT instruction sits
  D3DTRIANGLE* triangles_ = nullptr;  // the first triangle of the list
};
