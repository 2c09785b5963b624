// Asking the user where a missing file went.
#pragma once

#include "core/XString.h"

// Asks the user where the missing file `path` is, until a file is chosen or the user confirms
// cancelling; then the user is told that the operation is cancelled, and the operation ends
// through CUserException when `throwOnCancel` is set, else `path` is returned.
XString XLocateMissingFile(const char* path, BOOL throwOnCancel);
