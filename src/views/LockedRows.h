// Rows of a locked surface. A negative pitch means the rows run upwards in memory: the locked
// address is then the lowest one of the pixel block and the first row lies at its far end.
#pragma once

#include <cstddef>

#include "platform/ddraw/DirectDraw.h"

inline BYTE* FirstRow(const DDSURFACEDESC& locked) {
  BYTE* base = static_cast<BYTE*>(locked.lpSurface);
  if (locked.lPitch < 0) base += static_cast<std::ptrdiff_t>(locked.dwHeight - 1) * -locked.lPitch;
  return base;
}
