// Running an execute buffer: its instructions are read from the range SetExecuteData named, each
// record checked to lie inside the buffer, and its triangles drawn flat-shaded with the colour of
// their first vertex, tested against and written into the z-buffer. Supported instructions:
// PROCESSVERTICES (copy), STATERENDER (flat, solid, no texture, no blending), BRANCHFORWARD,
// TRIANGLE and EXIT; anything else stops the run with DDERR_UNSUPPORTED. A buffer whose ranges
// or records leave it fails with D3DERR_EXECUTE_FAILED; a triangle naming a vertex that was not
// processed is skipped.
#pragma once

#include <vector>

#include "platform/d3drm/ExecuteBuffer.h"
#include "platform/d3drm/render/Target.h"

namespace d3drm {

// `vertices` is the device's vertex list, which PROCESSVERTICES fills and TRIANGLE reads.
HRESULT RunExecuteBuffer(const ExecuteBuffer& buffer, const RenderTarget& target, std::vector<D3DTLVERTEX>* vertices);

}  // namespace d3drm
