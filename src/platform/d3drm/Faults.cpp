#include "platform/d3drm/Faults.h"

namespace {

struct PendingFault {
  int skip = -1;  // -1: none pending
  HRESULT result = 0;
};

PendingFault g_faults[static_cast<int>(D3DRMCall::Count)];

}  // namespace

HRESULT d3drm::TakeFault(D3DRMCall call) {
  PendingFault& fault = g_faults[static_cast<int>(call)];
  if (fault.skip < 0) return 0;
  if (fault.skip-- > 0) return 0;
  return fault.result;
}

void D3DRMFailCall(D3DRMCall call, int skip, HRESULT result) { g_faults[static_cast<int>(call)] = {skip, result}; }

void D3DRMClearFaults() {
  for (PendingFault& fault : g_faults) fault = {};
}
