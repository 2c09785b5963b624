#include <benchmark/benchmark.h>

#include "resources/ProgramResources.h"

// Every prompt and message goes through this lookup; the status bar asks for one on each tick.
static void BM_FindStringResource(benchmark::State& state) {
  RegisterProgramResources();
  UINT i = 0;
  for (auto _ : state) {
    const StringResource& entry = kStringResources[i++ % kStringResourceCount];
    benchmark::DoNotOptimize(FindStringResource(entry.id));
  }
}
BENCHMARK(BM_FindStringResource);
