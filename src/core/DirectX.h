// The DirectX checks of start-up: which DirectX the system has, and which Direct3D device the
// camera windows render with.
#pragma once

#include "core/DirectXProbe.h"
#include "core/Pointers.h"

// Version: 0 none, 0x100 DirectDraw, 0x200 IDirectDraw2, 0x300 DirectInput, 0x500
// IDirectDrawSurface3 (DirectX 5), 0x501 assumed from the system's version. Platform: 0 not
// supported, 1 the Windows 95 family, 2 Windows NT. The program needs version 0x500 or more on a
// platform other than 0.
void XGetDXVersion(DWORD* version, DWORD* platform);

// The RGB device to render with: hardware unless `softwareOnly` or the "General" preference
// "Direct3DSoftwareOnlyDriver(yes/no)" asks for software, and software when the hardware device
// cannot render at the screen's depth. Each call overwrites the one result it returns.
const D3DFINDDEVICERESULT* XFindD3DDevice(IUPtr<IDirectDraw> lpDD, BOOL softwareOnly);

// DDBD_1 ... DDBD_32 for 1, 2, 4, 8, 16, 24 and 32 bits per pixel; 0 for any other depth.
DWORD XBitDepthToDDBD(int bits);
