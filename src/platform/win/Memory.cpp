#include "platform/win/Memory.h"

#include <unistd.h>

namespace {

std::uint64_t injected = 0;

}  // namespace

void GlobalMemoryStatus(MEMORYSTATUS* status) {
  status->dwLength = sizeof(MEMORYSTATUS);
  if (injected) {
    status->dwTotalPhys = injected;
    return;
  }
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  status->dwTotalPhys = pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) : 0;
}

void SetPhysicalMemory(std::uint64_t bytes) { injected = bytes; }
