#include "platform/ddraw/Faults.h"

#include <atomic>

#include "platform/ddraw/DDResults.h"
#include "platform/win/NotBuilt.h"

namespace {

struct PendingFault {
  int skip = 0;  // calls that still succeed before the failing ones
  int count = 0;
  HRESULT result = DD_OK;
};

PendingFault g_faults[static_cast<int>(DDCall::Count)];
unsigned g_lossGeneration = 0;
std::atomic<long> g_liveObjects{0};

}  // namespace

HRESULT ddraw::TakeFault(DDCall call) {
  PendingFault& fault = g_faults[static_cast<int>(call)];
  if (fault.count == 0) return DD_OK;
  if (fault.skip > 0) {
    --fault.skip;
    return DD_OK;
  }
  --fault.count;
  return fault.result;
}

void DDFailNext(DDCall call, int count, HRESULT result) { DDFailAfter(call, 0, count, result); }

void DDFailAfter(DDCall call, int skip, int count, HRESULT result) {
  g_faults[static_cast<int>(call)] = {skip, count, result};
}

void DDClearFaults() {
  for (PendingFault& fault : g_faults) fault = {};
}

HRESULT ddraw::NotBuilt(const char* name) { return ReportNotBuilt("DirectDraw", name, DDERR_UNSUPPORTED); }

unsigned ddraw::LossGeneration() { return g_lossGeneration; }
void DDLoseSurfaces() { ++g_lossGeneration; }

void ddraw::CountLiveObject(int delta) { g_liveObjects += delta; }
long DDLiveObjectCount() { return g_liveObjects; }
