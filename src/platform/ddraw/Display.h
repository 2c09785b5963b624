// The display that primary surfaces stand for: a pixel format and a size in memory. It starts as
// 32-bit XRGB at 1280 x 1024; the environment variable TAVROLIN_DISPLAY_BITS (8, 15 for 5:5:5,
// 16 for 5:6:5, 24 or 32) chooses another depth. On the desktop the window framework makes it the
// size and depth of the screens (framework/DesktopDisplay.h).
#pragma once

#include <functional>

#include "platform/ddraw/DDPixelFormat.h"
#include "platform/ddraw/Surface.h"

DDPIXELFORMAT DDDisplayPixelFormat();
// Bits per pixel as the screen reports them: 8, 16 (for both 16-bit layouts), 24 or 32.
DWORD DDDisplayBitsPerPixel();
SIZE DDDisplaySize();

// Changes the display (bits as in TAVROLIN_DISPLAY_BITS); false, changing nothing, for other bits
// or an empty size. Like a mode change, it loses every primary and video-memory surface.
bool DDSetDisplayMode(int bits, LONG width, LONG height);

// The display's own palette at 8 bits per pixel: the colours of the indices of a surface that has
// no palette of its own, the primary surface among them. It starts as grey levels (index i shows
// grey i); realising a window's palette changes it.
void DDGetDisplayPalette(PALETTEENTRY entries[256]);
void DDSetDisplayPalette(DWORD base, DWORD count, const PALETTEENTRY* entries);

// Told after a blit has written `dest` (clipped) of a primary surface, with the window of the
// clipper the blit went through (null without one), so the pixels can be shown.
using DDPrimaryBltHook = std::function<void(IDirectDrawSurface* primary, HWND window, const RECT& dest)>;
DDPrimaryBltHook DDSetPrimaryBltHook(DDPrimaryBltHook hook);
