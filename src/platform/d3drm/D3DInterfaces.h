// The immediate-mode interfaces behind a retained-mode device and viewport: execute buffers of
// screen vertices and instructions, run on the device against its surface and z-buffer.
#pragma once

#include "platform/d3drm/D3DTypes.h"
#include "platform/win/Com.h"

class IDirect3DViewport;

inline constexpr IID IID_IDirect3DDevice = {
    0x5D1C7A21, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x21}};
inline constexpr IID IID_IDirect3DViewport = {
    0x5D1C7A22, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x22}};
inline constexpr IID IID_IDirect3DExecuteBuffer = {
    0x5D1C7A23, 0x3B1E, 0x4F2A, {0x9C, 0x61, 0x0E, 0x44, 0x72, 0xA8, 0x10, 0x23}};

// A block of memory holding vertices and instructions. Filled between Lock and Unlock; what
// Execute reads is named by SetExecuteData.
class IDirect3DExecuteBuffer : public IUnknown {
 public:
  // Hands out the buffer's memory and size in `desc`.
  virtual HRESULT Lock(LPD3DEXECUTEBUFFERDESC desc) = 0;
  virtual HRESULT Unlock() = 0;
  virtual HRESULT SetExecuteData(LPD3DEXECUTEDATA data) = 0;
};
using LPDIRECT3DEXECUTEBUFFER = IDirect3DExecuteBuffer*;

// A rectangle of a device that execute buffers draw into.
class IDirect3DViewport : public IUnknown {};
using LPDIRECT3DVIEWPORT = IDirect3DViewport*;

class IDirect3DDevice : public IUnknown {
 public:
  // desc needs D3DDEB_BUFSIZE and a size; the new buffer's memory is zero.
  virtual HRESULT CreateExecuteBuffer(LPD3DEXECUTEBUFFERDESC desc, LPDIRECT3DEXECUTEBUFFER* buffer,
                                      IUnknown* outer) = 0;
  // Runs the buffer's instructions on this device inside `viewport`, a viewport of this device.
  virtual HRESULT Execute(LPDIRECT3DEXECUTEBUFFER buffer, LPDIRECT3DVIEWPORT viewport, DWORD flags) = 0;
};
using LPDIRECT3DDEVICE = IDirect3DDevice*;
