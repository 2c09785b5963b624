// The desktop settings the program reads: the double-click time, the drag distance, the tooltip
// colour, the screen's size, resolution, colour depth and palette, and what the system says about
// the machine's speed (its processor class, a slow video card). One replaceable source serves the
// system calls below; the GUI installs one that asks the desktop (QtPlatform.h), tests install
// a HeadlessSystemInfo with the values they need.
#pragma once

#include "platform/win/WinTypes.h"

// Processor classes.
constexpr DWORD PROCESSOR_INTEL_386 = 386;
constexpr DWORD PROCESSOR_INTEL_486 = 486;
constexpr DWORD PROCESSOR_INTEL_PENTIUM = 586;

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual UINT DoubleClickTime() = 0;  // milliseconds
  virtual SIZE DragDistance() = 0;     // pixels a press must move before it is a drag
  virtual COLORREF TooltipBackground() = 0;
  virtual SIZE ScreenSize() = 0;  // pixels
  virtual SIZE LogicalDpi() = 0;  // pixels per logical inch, x and y
  virtual int BitsPerPixel() = 0;
  // Entries of the display's changeable palette; 0 when the display has none (true colour, or a
  // fixed palette).
  virtual int PaletteSize() = 0;
  virtual DWORD ProcessorType() = 0;  // PROCESSOR_*
  virtual int SlowMachine() = 0;      // the SM_SLOWMACHINE flags; 0x4: a slow video card
};

// The display format asked for by the environment variable TAVROLIN_DISPLAY_BITS (to drive the
// palette and 16-bit paths on any desktop): 8, 15 (5:5:5), 16 (5:6:5), 24 or 32 (the default).
int DisplayFormatSetting();
// The display format of a screen `depth` bits deep: the one TAVROLIN_DISPLAY_BITS asks for, else 8,
// 15, 16 or 32 (a 24-bit screen keeps its pixels in 32 bits).
int DisplayFormatForDepth(int depth);
// The colour depth the system reports for the display TAVROLIN_DISPLAY_BITS asks for; a 5:5:5
// display counts as 16 bits.
int DisplayBitsPerPixel();

// Fixed values, settable: the settings of a plain desktop until changed.
class HeadlessSystemInfo final : public SystemInfo {
 public:
  UINT doubleClickTime = 500;
  SIZE dragDistance = {4, 4};
  COLORREF tooltipBackground = RGB(255, 255, 225);
  SIZE screenSize = {1024, 768};
  SIZE logicalDpi = {96, 96};
  int bitsPerPixel = DisplayBitsPerPixel();
  // Palette displays can change their palette unless this is cleared.
  bool changeablePalette = true;
  DWORD processorType = PROCESSOR_INTEL_PENTIUM;  // no machine this runs on is older
  int slowMachine = 0;

  UINT DoubleClickTime() override { return doubleClickTime; }
  SIZE DragDistance() override { return dragDistance; }
  COLORREF TooltipBackground() override { return tooltipBackground; }
  SIZE ScreenSize() override { return screenSize; }
  SIZE LogicalDpi() override { return logicalDpi; }
  int BitsPerPixel() override { return bitsPerPixel; }
  int PaletteSize() override {
    return changeablePalette && bitsPerPixel > 0 && bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
  }
  DWORD ProcessorType() override { return processorType; }
  int SlowMachine() override { return slowMachine; }
};

// Installs `info` (nullptr restores a built-in HeadlessSystemInfo) and returns the previous one
// (nullptr for the built-in one). The caller keeps ownership.
SystemInfo* SetSystemInfo(SystemInfo* info);
SystemInfo& CurrentSystemInfo();

// The system calls, answered from the current SystemInfo.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
constexpr int SM_SLOWMACHINE = 73;
constexpr int COLOR_INFOBK = 24;
constexpr int HORZRES = 8;
constexpr int BITSPIXEL = 12;
constexpr int RASTERCAPS = 38;
constexpr int SIZEPALETTE = 104;
constexpr int RC_PALETTE = 0x0100;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

UINT GetDoubleClickTime();
int GetSystemMetrics(int index);  // 0 for an index not listed above
COLORREF GetSysColor(int index);  // 0 for an index not listed above

// GetDC(NULL) gives the screen's device context, which GetDeviceCaps answers for HORZRES,
// BITSPIXEL, LOGPIXELSX, LOGPIXELSY, RASTERCAPS (only RC_PALETTE) and SIZEPALETTE. Windows' own device contexts belong to the window framework:
// here GetDC of a window gives NULL and GetDeviceCaps of any other context 0.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int GetDeviceCaps(HDC dc, int index);
// An information context of the device "DISPLAY" answers like the screen's context; there is
// none for another device, or when the system reports no screen (a width of 0).
HDC CreateIC(const char* driver, const char* device, const char* output, const void* initData);
BOOL DeleteDC(HDC dc);

// GetSystemInfo: the processor class.
struct SYSTEM_INFO {
  DWORD dwProcessorType;
};
void GetSystemInfo(SYSTEM_INFO* info);
