// Program-wide values that many windows read often: system settings and preferences captured by
// InitGlobals, and four cursors. InitGlobals runs again whenever the user may have changed them
// (activation of the program, a dialog or a property sheet; applied preference pages), so the
// values follow such changes. Readers use the accessors, never the registry or the system.
#pragma once

#include "platform/win/WinTypes.h"

void InitGlobals();

namespace Globals {

UINT GetDoubleClickTime();  // milliseconds
int GetDragWidth();         // SM_CXDRAG
int GetDragHeight();        // SM_CYDRAG
COLORREF GetInfoBkColor();  // the tooltip background
int GetLogPixelsX();        // the screen's pixels per inch
int GetLogPixelsY();
int GetScreenWidth();
int GetScreenHeight();

bool GetRotateWithTracking();
bool GetPushPullObjectParallel();
DWORD GetMaxFps();  // 1 to 64
DWORD GetMinFps();  // 0 to 24
bool GetTrackSceneExtents();
bool GetGroundTrackSceneExtents();
long GetObjectQualityBias();
bool GetObjectQuality256Colors();
bool GetDitherAlways();

HCURSOR GetModeCursor();   // resource 104: an arrow with a no-entry sign
HCURSOR GetArrowCursor();  // the standard arrow
HCURSOR GetCursor138();    // resource 138: a vertical double-headed arrow
HCURSOR GetCursor139();    // resource 139: a horizontal double-headed arrow

}  // namespace Globals
