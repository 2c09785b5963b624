// Plain values of the immediate-mode layer: screen vertices, execute-buffer descriptions, the
// instruction records the execute buffers carry, render states and result codes.
#pragma once

#include "platform/d3drm/D3DRMTypes.h"
#include "platform/ddraw/DirectDraw.h"

// A vertex already on the screen: position in pixels, depth 0 (front) to 1 (back), 1/w, colours
// and texture coordinates. 32 bytes.
struct D3DTLVERTEX {
  D3DVALUE sx;
  D3DVALUE sy;
  D3DVALUE sz;
  D3DVALUE rhw;
  D3DCOLOR color;
  D3DCOLOR specular;
  D3DVALUE tu;
  D3DVALUE tv;
};
static_assert(sizeof(D3DTLVERTEX) == 32);

// Which fields of an execute-buffer description are valid.
constexpr DWORD D3DDEB_BUFSIZE = 0x00000001;
constexpr DWORD D3DDEB_CAPS = 0x00000002;
constexpr DWORD D3DDEB_LPDATA = 0x00000004;

struct D3DEXECUTEBUFFERDESC {
  DWORD dwSize;  // kD3DExecuteBufferDescSize or sizeof(D3DEXECUTEBUFFERDESC)
  DWORD dwFlags;
  DWORD dwCaps;
  DWORD dwBufferSize;
  LPVOID lpData;  // set by Lock
};
using LPD3DEXECUTEBUFFERDESC = D3DEXECUTEBUFFERDESC*;

// The size field the program's descriptions carry; calls accept it as well as the size here,
// which differs because the data pointer is 64 bits wide.
constexpr DWORD kD3DExecuteBufferDescSize = 20;

struct D3DRECT {
  LONG x1;
  LONG y1;
  LONG x2;
  LONG y2;
};

struct D3DSTATUS {
  DWORD dwFlags;
  DWORD dwStatus;
  D3DRECT drExtent;
};

// Where the vertices and the instructions lie in an execute buffer; offsets and lengths in bytes.
struct D3DEXECUTEDATA {
  DWORD dwSize;  // 48
  DWORD dwVertexOffset;
  DWORD dwVertexCount;
  DWORD dwInstructionOffset;
  DWORD dwInstructionLength;
  DWORD dwHVertexOffset;
  D3DSTATUS dsStatus;
};
static_assert(sizeof(D3DEXECUTEDATA) == 48);
using LPD3DEXECUTEDATA = D3DEXECUTEDATA*;

// An instruction: its opcode, the size of each of its records and how many records follow.
struct D3DINSTRUCTION {
  BYTE bOpcode;
  BYTE bSize;
  WORD wCount;
};
static_assert(sizeof(D3DINSTRUCTION) == 4);

enum D3DOPCODE : BYTE {
  D3DOP_TRIANGLE = 3,
  D3DOP_STATERENDER = 8,
  D3DOP_PROCESSVERTICES = 9,
  D3DOP_EXIT = 11,
  D3DOP_BRANCHFORWARD = 12,
};

// Copies screen vertices from the buffer into the device's vertex list unchanged.
constexpr DWORD D3DPROCESSVERTICES_COPY = 0x00000002;
constexpr DWORD D3DPROCESSVERTICES_OPMASK = 0x00000007;

struct D3DPROCESSVERTICES {
  DWORD dwFlags;
  WORD wStart;  // first vertex of the buffer's vertex area
  WORD wDest;   // first vertex of the device's vertex list
  DWORD dwCount;
  DWORD dwReserved;
};
static_assert(sizeof(D3DPROCESSVERTICES) == 16);

struct D3DSTATE {
  DWORD drstRenderStateType;
  DWORD dwArg[1];
};
static_assert(sizeof(D3DSTATE) == 8);

enum D3DRENDERSTATETYPE : DWORD {
  D3DRENDERSTATE_TEXTUREHANDLE = 1,
  D3DRENDERSTATE_FILLMODE = 8,
  D3DRENDERSTATE_SHADEMODE = 9,
  D3DRENDERSTATE_ALPHABLENDENABLE = 27,
};

constexpr DWORD D3DFILL_SOLID = 3;
constexpr DWORD D3DSHADE_FLAT = 1;

// Jumps dwOffset bytes forward from the start of the branch instruction when
// ((status & dwMask) == dwValue) differs from bNegate; an offset of 0 ends the buffer instead.
struct D3DBRANCH {
  DWORD dwMask;
  DWORD dwValue;
  BOOL bNegate;
  DWORD dwOffset;
};
static_assert(sizeof(D3DBRANCH) == 16);

// A triangle of three vertices of the device's vertex list.
struct D3DTRIANGLE {
  WORD v1;
  WORD v2;
  WORD v3;
  WORD wFlags;
};
static_assert(sizeof(D3DTRIANGLE) == 8);

constexpr WORD D3DTRIFLAG_START = 0x0000;
constexpr WORD D3DTRIFLAG_EDGEENABLE1 = 0x0100;
constexpr WORD D3DTRIFLAG_EDGEENABLE2 = 0x0200;
constexpr WORD D3DTRIFLAG_EDGEENABLE3 = 0x0400;

// Execute flags. Either way nothing is drawn outside the viewport's rectangle.
constexpr DWORD D3DEXECUTE_CLIPPED = 0x00000001;
constexpr DWORD D3DEXECUTE_UNCLIPPED = 0x00000002;

// Result codes. Lack of memory is DDERR_OUTOFMEMORY, bad arguments DDERR_INVALIDPARAMS and a call
// or instruction that is not built DDERR_UNSUPPORTED, as in the DirectDraw layer.
constexpr HRESULT D3D_OK = S_OK;
constexpr HRESULT D3DERR_EXECUTE_LOCKED = MakeDDResult(712);
constexpr HRESULT D3DERR_EXECUTE_NOT_LOCKED = MakeDDResult(713);
constexpr HRESULT D3DERR_EXECUTE_FAILED = MakeDDResult(714);
