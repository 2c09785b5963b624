// The string table: every user-visible text of the program by id. The program hands its table to
// the platform at start-up, as a module's resources are found by the resource calls.
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

struct StringResource {
  UINT id;
  const char* text;
};

// Makes `table` (sorted by id, alive for the rest of the run) the one the lookups read.
void RegisterStringResources(const StringResource* table, std::size_t count);

// Text of the string `id`, or nullptr when the table has no such entry (or none is registered).
const char* FindStringResource(UINT id);
