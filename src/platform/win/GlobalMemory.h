// Movable blocks of memory handed between the program and the system (the clipboard takes one
// over). A handle names a block; locking gives its address.
#pragma once

#include <cstddef>

#include "platform/win/WinTypes.h"

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;

constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_DDESHARE = 0x2000;

// A zero-filled block of `bytes`; NULL when memory runs out.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// The block's address; NULL for a NULL handle.
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
// Frees the block; NULL on success.
HGLOBAL GlobalFree(HGLOBAL block);
