// Command routing that asks the update handlers first, so a command greyed in the menu or on a
// toolbar cannot run by its accelerator either.
#pragma once

#include "platform/framework/FrameWnd.h"

// For a plain command (code 0, no handler-info request) outside the recent-file range: offers
// an update request to `updateTarget`'s routing with a probe that only records Enable. TRUE
// when an update handler ran and disabled the command: the caller swallows it.
BOOL XCommandDisabledByUpdate(CFrameWnd* updateTarget, UINT id, int code, AFX_CMDHANDLERINFO* handlerInfo);
