// Calls the platform layers reach but do not build: each is named once on the error output, so a
// gap shows up without flooding the log.
#pragma once

#include "platform/win/WinTypes.h"

// Logs "<layer>: <what> is not supported" the first time, and returns `result`.
HRESULT ReportNotBuilt(const char* layer, const char* what, HRESULT result);
