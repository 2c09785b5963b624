// The desktop's settings as Qt reports them, asked afresh on every call so that changes the user
// makes while the program runs are seen. Without a QGuiApplication, or without a screen, the
// values of a plain desktop (HeadlessSystemInfo) stand in.
#pragma once

#include "platform/win/SystemInfo.h"

class QtSystemInfo final : public SystemInfo {
 public:
  UINT DoubleClickTime() override;
  // The square centred on the press point inside which a move is not yet a drag.
  SIZE DragDistance() override;
  COLORREF TooltipBackground() override;
  SIZE ScreenSize() override;
  SIZE LogicalDpi() override;
  int BitsPerPixel() override;
  // Only the simulated 8-bit display has a palette, and the program can always change it.
  int PaletteSize() override;
  // Qt tells neither: a plain machine's values.
  DWORD ProcessorType() override { return fallback_.ProcessorType(); }
  int SlowMachine() override { return fallback_.SlowMachine(); }

 private:
  HeadlessSystemInfo fallback_;
};
