// Inside the layer: injected faults, calls that are not built, and display losses.
#pragma once

#include "platform/ddraw/TestSeams.h"

// The injected result for this call, or DD_OK when none is pending.
HRESULT DDTakeFault(DDCall call);

// A call that was reached but is not built: logs `name` once and returns DDERR_UNSUPPORTED.
HRESULT DDNotBuilt(const char* name);

// Counts display losses; a primary or video-memory surface made before the latest one is lost.
unsigned DDLossGeneration();

void DDCountLiveObject(int delta);
