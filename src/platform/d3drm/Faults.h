// Inside the layer: the faults tests inject.
#pragma once

#include "platform/d3drm/TestSeams.h"

namespace d3drm {

// The injected result for this call, or 0 when none is due.
HRESULT TakeFault(D3DRMCall call);

}  // namespace d3drm
