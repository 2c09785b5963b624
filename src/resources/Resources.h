// The program's resources: its string table and its cursor images, each sorted by id.
#pragma once

#include <cstddef>

#include "platform/win/CursorResources.h"
#include "platform/win/StringResources.h"

extern const StringResource kStringResources[];
extern const std::size_t kStringResourceCount;

extern const CursorResource kCursorResources[];
extern const std::size_t kCursorResourceCount;

// Hands both tables to the platform's resource calls; done first thing at start-up.
void RegisterProgramResources();
