#include "platform/ddraw/Faults.h"

#include <atomic>

#include "platform/ddraw/DDResults.h"
#include "platform/win/NotBuilt.h"

namespace {

struct PendingFault {
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
  --fault.count;
  return fault.result;
}

void DDFailNext(DDCall call, int count, HRESULT result) {
  g_faults[static_cast<int>(call)] = {count, result};
}

void DDClearFaults() {
  for (PendingFault& fault : g_faults) fault = {};
}

HRESULT ddraw::NotBuilt(const char* name) { return ReportNotBuilt("DirectDraw", name, DDERR_UNSUPPORTED); }

unsigned ddraw::LossGeneration() { return g_lossGeneration; }
void DDLoseSurfaces() { ++g_lossGeneration; }

void ddraw::CountLiveObject(int delta) { g_liveObjects += delta; }
long DDLiveObjectCount() { return g_liveObjects; }
