// The tick count: milliseconds from a monotonic clock, 32 bits wide, so it wraps after 49.7 days.
#pragma once

#include "platform/win/WinTypes.h"

DWORD GetTickCount();

// Replaces the clock (tests drive time through it); nullptr restores the system clock. Returns the
// previous source (nullptr for the system clock).
using TickSource = DWORD (*)();
TickSource SetTickSource(TickSource source);
