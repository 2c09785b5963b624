// Inside the layer: injected faults, calls that are not built, and display losses.
#pragma once

#include "platform/ddraw/TestSeams.h"

namespace ddraw {

// The injected result for this call, or DD_OK when none is pending.
HRESULT TakeFault(DDCall call);

// A call that was reached but is not built: logs `name` once and returns DDERR_UNSUPPORTED.
HRESULT NotBuilt(const char* name);

// Counts display losses; a primary or video-memory surface made before the latest one is lost.
unsigned LossGeneration();

void CountLiveObject(int delta);

}  // namespace ddraw
