// Time texts in the user's own format.
#pragma once

#include "platform/win/WinTypes.h"

struct SYSTEMTIME {
  WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};

using LCID = DWORD;
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr DWORD TIME_NOSECONDS = 0x00000002;

// Formats the time of `time` in the locale's short time format (without seconds when asked) into
// `out` of `size` characters, terminator included; with `size` 0 only the length needed is
// returned. 0 when `out` is too small.
int GetTimeFormat(LCID locale, DWORD flags, const SYSTEMTIME* time, const char* format, char* out, int size);
