#include "platform/win/SystemInfo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The format TAVROLIN_DISPLAY_BITS asks for; 0 when it asks for none.
int RequestedDisplayFormat() {
  const char* setting = std::getenv("TAVROLIN_DISPLAY_BITS");
  if (!setting || !*setting) return 0;
  const int bits = std::atoi(setting);
  if (bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32) return bits;
  std::fprintf(stderr, "TAVROLIN_DISPLAY_BITS=%s is not 8, 15, 16, 24 or 32; using the screen's\n", setting);
  return 0;
}

}  // namespace

int DisplayFormatSetting() {
  const int bits = RequestedDisplayFormat();
  return bits ? bits : 32;
}

int DisplayFormatForDepth(int depth) {
  if (const int bits = RequestedDisplayFormat()) return bits;
  if (depth <= 8) return 8;
  if (depth == 15 || depth == 16) return depth;
  return 32;  // a 24-bit screen keeps its pixels in 32 bits
}

int DisplayBitsPerPixel() {
  const int setting = DisplayFormatSetting();
  return setting == 15 ? 16 : setting;
}

namespace {

// Never destroyed, like every built-in service: objects destroyed at exit may still use it.
HeadlessSystemInfo& BuiltIn() {
  static auto* info = new HeadlessSystemInfo;
  return *info;
}

SystemInfo* current = nullptr;

// The screen's context is a fixed handle; nothing is allocated for it.
HDC const screenDC = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x5C4EE4));

}  // namespace

SystemInfo* SetSystemInfo(SystemInfo* info) {
  SystemInfo* previous = current;
  current = info;
  return previous;
}

SystemInfo& CurrentSystemInfo() { return current ? *current : BuiltIn(); }

UINT GetDoubleClickTime() { return CurrentSystemInfo().DoubleClickTime(); }

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return CurrentSystemInfo().ScreenSize().cx;
    case SM_CYSCREEN: return CurrentSystemInfo().ScreenSize().cy;
    case SM_CXDRAG: return CurrentSystemInfo().DragDistance().cx;
    case SM_CYDRAG: return CurrentSystemInfo().DragDistance().cy;
    case SM_SLOWMACHINE: return CurrentSystemInfo().SlowMachine();
    default: return 0;
  }
}

COLORREF GetSysColor(int index) { return index == COLOR_INFOBK ? CurrentSystemInfo().TooltipBackground() : 0; }

HDC GetDC(HWND window) { return window ? nullptr : screenDC; }

int ReleaseDC(HWND, HDC dc) { return dc == screenDC ? 1 : 0; }

int GetDeviceCaps(HDC dc, int index) {
  if (dc != screenDC) return 0;
  switch (index) {
    case HORZRES: return CurrentSystemInfo().ScreenSize().cx;
    case BITSPIXEL: return CurrentSystemInfo().BitsPerPixel();
    case LOGPIXELSX: return CurrentSystemInfo().LogicalDpi().cx;
    case LOGPIXELSY: return CurrentSystemInfo().LogicalDpi().cy;
    case RASTERCAPS: return CurrentSystemInfo().PaletteSize() > 0 ? RC_PALETTE : 0;
    case SIZEPALETTE: return CurrentSystemInfo().PaletteSize();
    default: return 0;
  }
}

HDC CreateIC(const char* driver, const char*, const char*, const void*) {
  if (!driver || std::strcmp(driver, "DISPLAY") != 0 || CurrentSystemInfo().ScreenSize().cx <= 0) return nullptr;
  return screenDC;
}

void GetSystemInfo(SYSTEM_INFO* info) { *info = SYSTEM_INFO{CurrentSystemInfo().ProcessorType()}; }

BOOL DeleteDC(HDC dc) { return dc == screenDC ? TRUE : FALSE; }
