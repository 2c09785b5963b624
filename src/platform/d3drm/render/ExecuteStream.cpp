#include "platform/d3drm/render/ExecuteStream.h"

#include <cstring>

#include "platform/d3drm/render/Raster.h"
#include "platform/win/NotBuilt.h"

namespace d3drm {
namespace {

HRESULT NotBuilt(const char* what) { return ReportNotBuilt("Direct3D", what, DDERR_UNSUPPORTED); }

template <class Record>
Record Read(const std::uint8_t* bytes) {
  Record record;
  std::memcpy(&record, bytes, sizeof record);
  return record;
}

RasterVertex FromScreenVertex(const D3DTLVERTEX& v) {
  RasterVertex r;
  r.x = v.sx;
  r.y = v.sy;
  r.z = 65535.0 * v.sz;
  r.rhw = v.rhw;
  r.colour[0] = static_cast<float>(v.color >> 16 & 0xFF);
  r.colour[1] = static_cast<float>(v.color >> 8 & 0xFF);
  r.colour[2] = static_cast<float>(v.color & 0xFF);
  return r;
}

bool SupportedState(const D3DSTATE& state) {
  const DWORD value = state.dwArg[0];
  switch (state.drstRenderStateType) {
    case D3DRENDERSTATE_SHADEMODE:
      return value == D3DSHADE_FLAT;
    case D3DRENDERSTATE_FILLMODE:
      return value == D3DFILL_SOLID;
    case D3DRENDERSTATE_TEXTUREHANDLE:
    case D3DRENDERSTATE_ALPHABLENDENABLE:
      return value == 0;
    default:
      return false;
  }
}

class Run {
 public:
  Run(const ExecuteBuffer& buffer, const RenderTarget& target, std::vector<D3DTLVERTEX>* vertices)
      : memory_(buffer.memory()), data_(*buffer.executeData()), vertices_(*vertices),
        style_(MakeTriangleStyle(target, true, nullptr, false, 255)) {}

  HRESULT Go() {
    const std::uint64_t size = memory_.size();
    if (std::uint64_t{data_.dwVertexOffset} + std::uint64_t{data_.dwVertexCount} * sizeof(D3DTLVERTEX) > size ||
        std::uint64_t{data_.dwInstructionOffset} + data_.dwInstructionLength > size)
      return D3DERR_EXECUTE_FAILED;
    std::size_t at = data_.dwInstructionOffset;
    const std::size_t end = at + data_.dwInstructionLength;
    while (at + sizeof(D3DINSTRUCTION) <= end) {
      const auto instruction = Read<D3DINSTRUCTION>(&memory_[at]);
      const std::size_t records = at + sizeof(D3DINSTRUCTION);
      const std::size_t next = records + std::size_t{instruction.bSize} * instruction.wCount;
      if (next > end) return D3DERR_EXECUTE_FAILED;
      std::size_t jump = next;
      HRESULT result = D3D_OK;
      switch (instruction.bOpcode) {
        case D3DOP_EXIT:
          return D3D_OK;
        case D3DOP_PROCESSVERTICES:
          result = ForEach<D3DPROCESSVERTICES>(instruction, records, [&](const auto& r) { return Process(r); });
          break;
        case D3DOP_STATERENDER:
          result = ForEach<D3DSTATE>(instruction, records, [&](const D3DSTATE& state) {
            return SupportedState(state) ? D3D_OK : NotBuilt("render state of an execute buffer");
          });
          break;
        case D3DOP_TRIANGLE:
          result = ForEach<D3DTRIANGLE>(instruction, records, [&](const auto& r) { return Triangle(r); });
          break;
        case D3DOP_BRANCHFORWARD:
          result = ForEach<D3DBRANCH>(instruction, records, [&](const D3DBRANCH& branch) {
            const bool taken = ((status_ & branch.dwMask) == branch.dwValue) != (branch.bNegate != 0);
            if (taken && jump == next) jump = branch.dwOffset ? at + branch.dwOffset : end;
            return D3D_OK;
          });
          if (jump > end) return D3DERR_EXECUTE_FAILED;
          break;
        default:
          return NotBuilt("execute-buffer instruction");
      }
      if (FAILED(result)) return result;
      at = jump;
    }
    return D3D_OK;
  }

 private:
  template <class Record, class Each>
  HRESULT ForEach(const D3DINSTRUCTION& instruction, std::size_t records, Each each) {
    if (instruction.bSize < sizeof(Record)) return D3DERR_EXECUTE_FAILED;
    for (WORD i = 0; i < instruction.wCount; ++i) {
      if (HRESULT result = each(Read<Record>(&memory_[records + std::size_t{i} * instruction.bSize])); FAILED(result))
        return result;
    }
    return D3D_OK;
  }

  HRESULT Process(const D3DPROCESSVERTICES& process) {
    if ((process.dwFlags & D3DPROCESSVERTICES_OPMASK) != D3DPROCESSVERTICES_COPY)
      return NotBuilt("vertex processing other than copying");
    if (std::uint64_t{process.wStart} + process.dwCount > data_.dwVertexCount) return D3DERR_EXECUTE_FAILED;
    if (process.dwCount == 0) return D3D_OK;
    const std::size_t needed = std::size_t{process.wDest} + process.dwCount;
    if (vertices_.size() < needed) vertices_.resize(needed);
    const std::uint8_t* source = &memory_[data_.dwVertexOffset] + std::size_t{process.wStart} * sizeof(D3DTLVERTEX);
    std::memcpy(&vertices_[process.wDest], source, std::size_t{process.dwCount} * sizeof(D3DTLVERTEX));
    return D3D_OK;
  }

  HRESULT Triangle(const D3DTRIANGLE& triangle) {
    const std::size_t count = vertices_.size();
    if (triangle.v1 >= count || triangle.v2 >= count || triangle.v3 >= count) return D3D_OK;
    DrawTriangle(style_, FromScreenVertex(vertices_[triangle.v1]), FromScreenVertex(vertices_[triangle.v2]),
                 FromScreenVertex(vertices_[triangle.v3]));
    return D3D_OK;
  }

  const std::vector<std::uint8_t>& memory_;
  const D3DEXECUTEDATA& data_;
  std::vector<D3DTLVERTEX>& vertices_;
  const TriangleStyle style_;
  DWORD status_ = 0;
};

}  // namespace

HRESULT RunExecuteBuffer(const ExecuteBuffer& buffer, const RenderTarget& target, std::vector<D3DTLVERTEX>* vertices) {
  return Run(buffer, target, vertices).Go();
}

}  // namespace d3drm
