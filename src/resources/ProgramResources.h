// The program's resources: its string table, its cursor images and its dialog templates.
#pragma once

#include <cstddef>

#include "platform/framework/DialogTemplate.h"
#include "platform/win/CursorResources.h"
#include "platform/win/StringResources.h"

extern const StringResource kStringResources[];
extern const std::size_t kStringResourceCount;

extern const CursorResource kCursorResources[];
extern const std::size_t kCursorResourceCount;

extern const DialogTemplate* const kDialogTemplates[];
extern const std::size_t kDialogTemplateCount;

// The main frame's menu bar and accelerators, and its toolbars.
void RegisterMainMenuResources();
void RegisterToolbarResources();
// The pictures of the dialogs.
void RegisterBitmapResources();
// The windows' icon.
void RegisterIconResources();

// Hands the tables to the platform's resource calls; done first thing at start-up.
void RegisterProgramResources();
