// The millisecond counter: 32 bits, so it wraps about every 49.7 days. Tests replace its source
// to step time or to cross the wrap.
#pragma once

#include "platform/win/WinTypes.h"

DWORD GetTickCount();

using TickSource = DWORD (*)();
// Installs `source` (nullptr restores the steady clock) and returns the previous one.
TickSource SetTickSource(TickSource source);
