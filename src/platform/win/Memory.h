// The machine's memory as the program asks for it.
#pragma once

#include <cstdint>

#include "platform/win/WinTypes.h"

struct MEMORYSTATUS {
  DWORD dwLength;
  std::uint64_t dwTotalPhys;  // bytes of physical memory
};

// Fills the total physical memory; tests set their own with SetPhysicalMemory.
void GlobalMemoryStatus(MEMORYSTATUS* status);
// Makes GlobalMemoryStatus report `bytes` (0 returns to the machine's own).
void SetPhysicalMemory(std::uint64_t bytes);
