#include "scene/CartoonExecute.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "core/FatalError.h"

namespace {

template <class Record>
void Put(BYTE* at, const Record& record) {
  std::memcpy(at, &record, sizeof record);
}

constexpr WORD kTriangleFlags = D3DTRIFLAG_START | D3DTRIFLAG_EDGEENABLE1 | D3DTRIFLAG_EDGEENABLE2 |
                                D3DTRIFLAG_EDGEENABLE3;
// PROCESSVERTICES, STATERENDER with four states and BRANCHFORWARD, after the vertices.
constexpr DWORD kLeadingInstructions = 4 + 16 + 4 + 4 * 8 + 4 + 16;

bool FinitePoint(const D3DTLVERTEX& v) { return std::isfinite(v.sx) && std::isfinite(v.sy) && std::isfinite(v.sz); }

}  // namespace

void CullTrianglesOutsideViewport(const D3DTLVERTEX* vList, const D3DTLVERTEX* vListEnd, D3DTRIANGLE* trianglesEnd,
                                  D3DTRIANGLE* triangles, LONG xMin, LONG yMin, LONG xMax, LONG yMax) {
  XASSERT(xMin < xMax, "");
  XASSERT(yMin < yMax, "");
  XASSERT(xMin >= 0, "We depend on positive float to integer truncation producing lesser values");
  XASSERT(yMin >= 0, "We depend on positice float to integer truncation producing lesser values");
  // Pixel column floor(sx) lies in xMin..xMax exactly when xMin <= sx < xMax + 1; a comparison
  // that fails for a value that is not a number puts it outside as well.
  const double left = xMin, right = double(xMax) + 1.0, top = yMin, bottom = double(yMax) + 1.0;
  std::vector<BYTE> outside(static_cast<std::size_t>(vListEnd - vList));
  for (std::size_t i = 0; i < outside.size(); ++i) {
    const double x = vList[i].sx, y = vList[i].sy;
    outside[i] = !(x >= left && x < right && y >= top && y < bottom);
  }
  for (D3DTRIANGLE* t = triangles; t < trianglesEnd; ++t) {
    if (outside[t->v1] || outside[t->v2] || outside[t->v3]) t->v1 = t->v2 = t->v3 = 0;
  }
}

CartoonBatch::CartoonBatch(IDirect3DRMDevice* device, DWORD size) {
  XCHECK_D3DRM_TEXT(device->GetDirect3DDevice(&device_), "device->GetDirect3DDevice( &device2 )");
  D3DEXECUTEBUFFERDESC desc{};
  desc.dwSize = kD3DExecuteBufferDescSize;
  desc.dwFlags = D3DDEB_BUFSIZE;
  desc.dwBufferSize = size;
  XCHECK_D3D_TEXT(device_->CreateExecuteBuffer(&desc, &buffer_, NULL),
                  "device2->CreateExecuteBuffer( &desc, &eb, NULL )");
  XCHECK_D3D_TEXT(buffer_->Lock(&desc), "eb->Lock( &desc )");
  data_ = static_cast<BYTE*>(desc.lpData);
  size_ = desc.dwBufferSize;
  vertices_ = reinterpret_cast<D3DTLVERTEX*>(data_);
  end_ = reinterpret_cast<D3DTRIANGLE*>(data_ + size_ - sizeof(D3DINSTRUCTION));
  triangles_ = end_;
  Put(data_ + size_ - sizeof(D3DINSTRUCTION), D3DINSTRUCTION{D3DOP_EXIT, 0, 0});
}

CartoonBatch::~CartoonBatch() = default;

WORD CartoonBatch::AddVertex(const D3DTLVERTEX& vertex) {
  XASSERT(count_ < 0xFFFF, "");
  vertices_[count_] = vertex;
  return static_cast<WORD>(count_++);
}

void CartoonBatch::AddTriangle(WORD a, WORD b, WORD c) { *--triangles_ = D3DTRIANGLE{a, b, c, kTriangleFlags}; }

void CartoonBatch::Execute(IDirect3DRMViewport* viewport, bool allInside) {
  const DWORD vertexBytes = count_ * sizeof(D3DTLVERTEX);
  BYTE* const triangleInstruction = reinterpret_cast<BYTE*>(triangles_) - sizeof(D3DINSTRUCTION);
  XASSERT(data_ + vertexBytes + kLeadingInstructions <= triangleInstruction, "Cartoon batch overflows its buffer");

  if (allInside)
    for (DWORD i = 0; i < count_ && allInside; ++i) allInside = FinitePoint(vertices_[i]);
  if (!allInside) {
    const LONG x = viewport->GetX(), y = viewport->GetY();
    CullTrianglesOutsideViewport(vertices_, vertices_ + count_, end_, triangles_, x, y,
                                 x + static_cast<LONG>(viewport->GetWidth()) - 1,
                                 y + static_cast<LONG>(viewport->GetHeight()) - 1);
  }

  Put(triangleInstruction, D3DINSTRUCTION{D3DOP_TRIANGLE, sizeof(D3DTRIANGLE), static_cast<WORD>(TriangleCount())});
  BYTE* at = data_ + vertexBytes;
  Put(at, D3DINSTRUCTION{D3DOP_PROCESSVERTICES, sizeof(D3DPROCESSVERTICES), 1});
  Put(at + 4, D3DPROCESSVERTICES{D3DPROCESSVERTICES_COPY, 0, 0, count_, 0});
  at += 4 + sizeof(D3DPROCESSVERTICES);
  Put(at, D3DINSTRUCTION{D3DOP_STATERENDER, sizeof(D3DSTATE), 4});
  const D3DSTATE states[4] = {{D3DRENDERSTATE_SHADEMODE, {D3DSHADE_FLAT}},
                              {D3DRENDERSTATE_FILLMODE, {D3DFILL_SOLID}},
                              {D3DRENDERSTATE_TEXTUREHANDLE, {0}},
                              {D3DRENDERSTATE_ALPHABLENDENABLE, {FALSE}}};
  std::memcpy(at + 4, states, sizeof states);
  at += 4 + sizeof states;
  Put(at, D3DINSTRUCTION{D3DOP_BRANCHFORWARD, sizeof(D3DBRANCH), 1});
  Put(at + 4, D3DBRANCH{0, 0, FALSE, static_cast<DWORD>(triangleInstruction - at)});

  XCHECK_D3D_TEXT(buffer_->Unlock(), "eb->Unlock()");
  D3DEXECUTEDATA data{};
  data.dwSize = sizeof data;
  data.dwVertexOffset = 0;
  data.dwVertexCount = count_;
  data.dwInstructionOffset = vertexBytes;
  data.dwInstructionLength = size_ - vertexBytes;
  data.dwHVertexOffset = 0;
  XCHECK_D3D_TEXT(buffer_->SetExecuteData(&data), "eb->SetExecuteData( &data )");
  IUPtr<IDirect3DViewport> viewport2;
  XCHECK_D3DRM(viewport->GetDirect3DViewport( &viewport2 ));
  XCHECK_D3D_TEXT(device_->Execute(buffer_, viewport2, D3DEXECUTE_UNCLIPPED),
                  "device2->Execute( eb, viewport2, D3DEXECUTE_UNCLIPPED )");
}
