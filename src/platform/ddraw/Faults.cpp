#include "platform/ddraw/Faults.h"

#include <atomic>
#include <cstdio>
#include <set>
#include <string>

#include "platform/ddraw/DDResults.h"

namespace {

struct PendingFault {
  int count = 0;
  HRESULT result = DD_OK;
};

PendingFault g_faults[static_cast<int>(DDCall::Count)];
unsigned g_lossGeneration = 0;
std::atomic<long> g_liveObjects{0};

}  // namespace

HRESULT DDTakeFault(DDCall call) {
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

HRESULT DDNotBuilt(const char* name) {
  static std::set<std::string> logged;
  if (logged.insert(name).second) std::fprintf(stderr, "DirectDraw: %s is not supported\n", name);
  return DDERR_UNSUPPORTED;
}

unsigned DDLossGeneration() { return g_lossGeneration; }
void DDLoseSurfaces() { ++g_lossGeneration; }

void DDCountLiveObject(int delta) { g_liveObjects += delta; }
long DDLiveObjectCount() { return g_liveObjects; }
