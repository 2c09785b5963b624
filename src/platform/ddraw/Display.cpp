#include "platform/ddraw/Display.h"

#include <algorithm>
#include <array>
#include <new>
#include <string>

#include "platform/ddraw/Faults.h"
#include "platform/ddraw/SurfaceImpl.h"
#include "platform/win/SystemInfo.h"

namespace {

struct DisplayMode {
  DDFormat format = DDFormat::XRGB8888;
  LONG width = 1280;
  LONG height = 1024;
};

bool FormatForBits(int bits, DDFormat* format) {
  switch (bits) {
    case 8: *format = DDFormat::Palette8; return true;
    case 15: *format = DDFormat::RGB555; return true;
    case 16: *format = DDFormat::RGB565; return true;
    case 24: *format = DDFormat::RGB888; return true;
    case 32: *format = DDFormat::XRGB8888; return true;
    default: return false;
  }
}

DisplayMode ModeFromEnvironment() {
  DisplayMode mode;
  FormatForBits(DisplayFormatSetting(), &mode.format);
  return mode;
}

DisplayMode& Mode() {
  static DisplayMode mode = ModeFromEnvironment();
  return mode;
}

std::shared_ptr<BYTE[]>& Memory() {
  static std::shared_ptr<BYTE[]> memory;
  return memory;
}

DDPrimaryBltHook& Hook() {
  static DDPrimaryBltHook hook;
  return hook;
}

}  // namespace

DDPIXELFORMAT DDDisplayPixelFormat() { return DDMakePixelFormat(Mode().format); }

DWORD DDDisplayBitsPerPixel() { return DDDisplayPixelFormat().dwRGBBitCount; }

SIZE DDDisplaySize() { return {Mode().width, Mode().height}; }

bool DDSetDisplayMode(int bits, LONG width, LONG height) {
  DDFormat format;
  if (!FormatForBits(bits, &format) || width <= 0 || height <= 0) return false;
  Mode() = {format, width, height};
  Memory().reset();
  DDLoseSurfaces();
  return true;
}

std::shared_ptr<BYTE[]> ddraw::DisplayMemory(std::size_t bytes) {
  std::shared_ptr<BYTE[]>& memory = Memory();
  if (!memory) memory.reset(new (std::nothrow) BYTE[bytes]());
  return memory;
}

namespace {

std::array<PALETTEENTRY, 256>& DisplayPalette() {
  static std::array<PALETTEENTRY, 256> palette = [] {
    std::array<PALETTEENTRY, 256> grey{};
    for (int i = 0; i < 256; ++i) grey[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    return grey;
  }();
  return palette;
}

}  // namespace

void DDGetDisplayPalette(PALETTEENTRY entries[256]) { std::copy_n(DisplayPalette().begin(), 256, entries); }

void DDSetDisplayPalette(DWORD base, DWORD count, const PALETTEENTRY* entries) {
  if (base >= 256) return;
  std::copy_n(entries, std::min<DWORD>(count, 256 - base), DisplayPalette().begin() + base);
}

DDPrimaryBltHook DDSetPrimaryBltHook(DDPrimaryBltHook hook) {
  DDPrimaryBltHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

void ddraw::NotifyPrimaryBlt(IDirectDrawSurface* primary, HWND window, const RECT& dest) {
  if (Hook()) Hook()(primary, window, dest);
}
