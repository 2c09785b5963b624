// The program's own cursor images, by resource id.
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

struct CursorResource {
  UINT id;
  POINT hotSpot;
  const char* const* xpm;  // the image in XPM form: 32x32, transparent, black and white
};

// The table the resources library provides, sorted by id.
extern const CursorResource kCursorResources[];
extern const std::size_t kCursorResourceCount;

const CursorResource* FindCursorResource(UINT id);
