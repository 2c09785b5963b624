#include "core/Globals.h"

#include "core/PreferenceKeys.h"
#include "platform/win/Cursors.h"
#include "platform/win/SystemInfo.h"

namespace {

UINT doubleClickTime;
int dragWidth, dragHeight;
COLORREF infoBkColor;
int logPixelsX, logPixelsY;
int screenWidth, screenHeight;
bool rotateWithTracking, pushPullObjectParallel;
DWORD glMAX_FPS, glMIN_FPS;
bool trackSceneExtents, groundTrackSceneExtents;
long objectQualityBias;
bool objectQuality256Colors, ditherAlways;
HCURSOR modeCursor, arrowCursor, cursor138, cursor139;

}  // namespace

void InitGlobals() {
  doubleClickTime = ::GetDoubleClickTime();
  dragWidth = GetSystemMetrics(SM_CXDRAG);
  dragHeight = GetSystemMetrics(SM_CYDRAG);
  infoBkColor = GetSysColor(COLOR_INFOBK);
  HDC screen = GetDC(nullptr);
  logPixelsX = GetDeviceCaps(screen, LOGPIXELSX);
  logPixelsY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  screenWidth = GetSystemMetrics(SM_CXSCREEN);
  screenHeight = GetSystemMetrics(SM_CYSCREEN);

  rotateWithTracking = XGetPrefBool(XPref::ROTATE_WITH_TRACKING);
  pushPullObjectParallel = XGetPrefBool(XPref::PUSH_PULL_OBJECT_PARALLEL);
  XGetPrefInRange(XPref::MAX_FPS, &glMAX_FPS, "glMAX_FPS >= 1 && glMAX_FPS <= 64");
  XGetPrefInRange(XPref::MIN_FPS, &glMIN_FPS, "glMIN_FPS <= 24");
  trackSceneExtents = XGetPrefBool(XPref::TRACK_SCENE_EXTENTS);
  groundTrackSceneExtents = XGetPrefBool(XPref::GROUND_TRACK_SCENE_EXTENTS);
  XGetPref(XPref::OBJECT_QUALITY_BIAS, &objectQualityBias);
  objectQuality256Colors = XGetPrefBool(XPref::OBJECT_QUALITY_256_COLORS);
  ditherAlways = XGetPrefBool(XPref::DITHER_ALWAYS);

  modeCursor = LoadCursorResource(104);
  arrowCursor = LoadStandardCursor(IDC_ARROW);
  cursor138 = LoadCursorResource(138);
  cursor139 = LoadCursorResource(139);
}

namespace Globals {

UINT GetDoubleClickTime() { return doubleClickTime; }
int GetDragWidth() { return dragWidth; }
int GetDragHeight() { return dragHeight; }
COLORREF GetInfoBkColor() { return infoBkColor; }
int GetLogPixelsX() { return logPixelsX; }
int GetLogPixelsY() { return logPixelsY; }
int GetScreenWidth() { return screenWidth; }
int GetScreenHeight() { return screenHeight; }
bool GetRotateWithTracking() { return rotateWithTracking; }
bool GetPushPullObjectParallel() { return pushPullObjectParallel; }
DWORD GetMaxFps() { return glMAX_FPS; }
DWORD GetMinFps() { return glMIN_FPS; }
bool GetTrackSceneExtents() { return trackSceneExtents; }
bool GetGroundTrackSceneExtents() { return groundTrackSceneExtents; }
long GetObjectQualityBias() { return objectQualityBias; }
bool GetObjectQuality256Colors() { return objectQuality256Colors; }
bool GetDitherAlways() { return ditherAlways; }
HCURSOR GetModeCursor() { return modeCursor; }
HCURSOR GetArrowCursor() { return arrowCursor; }
HCURSOR GetCursor138() { return cursor138; }
HCURSOR GetCursor139() { return cursor139; }

}  // namespace Globals
