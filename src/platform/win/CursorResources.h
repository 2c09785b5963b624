// The program's own cursor images, by resource id.
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

struct CursorResource {
  UINT id;
  POINT hotSpot;
  const char* const* xpm;  // the image in XPM form: 32x32, transparent, black and white
};

// Makes `table` (sorted by id, alive for the rest of the run) the one cursor loading reads; the
// program registers its own at start-up.
void RegisterCursorResources(const CursorResource* table, std::size_t count);

// The cursor of resource `id`, or nullptr when the registered table has none.
const CursorResource* FindCursorResource(UINT id);
