// The description of a DirectDraw surface: size, pitch, capabilities and pixel format.
#pragma once

#include <cstddef>

#include "platform/ddraw/DDPixelFormat.h"

struct DDSCAPS {
  DWORD dwCaps;  // DDSCAPS_*
};
using LPDDSCAPS = DDSCAPS*;

constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800;
constexpr DWORD DDSCAPS_TEXTURE = 0x00001000;
constexpr DWORD DDSCAPS_3DDEVICE = 0x00002000;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x00004000;
constexpr DWORD DDSCAPS_WRITEONLY = 0x00010000;
constexpr DWORD DDSCAPS_ZBUFFER = 0x00020000;

// dwFlags: which fields of a description are valid.
constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_ZBUFFERBITDEPTH = 0x00000040;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;

struct DDSURFACEDESC {
  DWORD dwSize;  // kDDSurfaceDescSize or sizeof(DDSURFACEDESC)
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  LONG lPitch;  // signed bytes from one row to the next
  DWORD dwZBufferBitDepth;
  LPVOID lpSurface;  // set by Lock; null in a description of an unlocked surface
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS ddsCaps;
};
using LPDDSURFACEDESC = DDSURFACEDESC*;

// The size field the program's descriptions carry. Calls accept it as well as
// sizeof(DDSURFACEDESC), which differs because the memory pointer is 64 bits wide here.
constexpr DWORD kDDSurfaceDescSize = 108;

inline bool DDValidDescSize(const DDSURFACEDESC* desc) {
  return desc && (desc->dwSize == kDDSurfaceDescSize || desc->dwSize == sizeof(DDSURFACEDESC));
}

// The first row of a locked surface. The lock's pointer is always the lowest address of the pixel
// block, so with a negative pitch (rows stored bottom-up) the first row lies (height - 1) x |pitch|
// bytes above it; row r starts r x pitch bytes after the first row.
inline BYTE* DDFirstRow(const DDSURFACEDESC& locked) {
  BYTE* lowest = static_cast<BYTE*>(locked.lpSurface);
  if (locked.lPitch >= 0 || locked.dwHeight == 0) return lowest;
  return lowest + (1 - static_cast<std::ptrdiff_t>(locked.dwHeight)) * locked.lPitch;
}
