// The millisecond tick count: 32 bits from a monotonic clock, so it wraps about every 49.7
// days. Tests drive it through a source of their own, wrap included.
#pragma once

#include <functional>

#include "platform/win/WinTypes.h"

DWORD GetTickCount();

using TickSource = std::function<DWORD()>;
// Installs `source` (empty: the monotonic clock) and returns the previous one.
TickSource SetTickSource(TickSource source);
