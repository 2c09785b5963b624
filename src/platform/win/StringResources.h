// The string table: every user-visible text of the program by id.
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

struct StringResource {
  UINT id;
  const char* text;
};

// The table the resources library provides, sorted by id.
extern const StringResource kStringResources[];
extern const std::size_t kStringResourceCount;

// Text of the string `id`, or nullptr when the table has no such entry.
const char* FindStringResource(UINT id);
