// Plain values of the retained-mode layer: vectors, colours, vertices, matrices, boxes, the
// render-quality word, light types and load options, and the result codes.
#pragma once

#include "platform/win/WinTypes.h"

using D3DVALUE = float;
using D3DCOLOR = DWORD;  // 0xAARRGGBB
using D3DRMGROUPINDEX = LONG;
using D3DRMRENDERQUALITY = DWORD;
using D3DRMMAPPING = DWORD;
using D3DRMLOADOPTIONS = DWORD;

constexpr D3DVALUE D3DVAL(double value) { return static_cast<D3DVALUE>(value); }

struct D3DVECTOR {
  D3DVALUE x;
  D3DVALUE y;
  D3DVALUE z;
};

// A mesh vertex: 36 bytes, in this order.
struct D3DRMVERTEX {
  D3DVECTOR position;
  D3DVECTOR normal;
  D3DVALUE tu;
  D3DVALUE tv;
  D3DCOLOR color;
};
static_assert(sizeof(D3DRMVERTEX) == 36);

// A homogeneous screen vector: x/w and y/w are the screen position, z/w the depth.
struct D3DRMVECTOR4D {
  D3DVALUE x;
  D3DVALUE y;
  D3DVALUE z;
  D3DVALUE w;
};

// Points are row vectors: p' = p * M, the translation in row 3; column 3 is (0, 0, 0, 1).
using D3DRMMATRIX4D = D3DVALUE[4][4];

struct D3DRMBOX {
  D3DVECTOR min;
  D3DVECTOR max;
};

// What a pick hit: the face and group of a mesh and the point.
struct D3DRMPICKDESC {
  ULONG ulFaceIdx;
  LONG lGroupIdx;
  D3DVECTOR vPosition;
};

// Colours: each channel of 0..1 becomes a byte, rounded.
D3DCOLOR D3DRMCreateColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue);
D3DCOLOR D3DRMCreateColorRGBA(D3DVALUE red, D3DVALUE green, D3DVALUE blue, D3DVALUE alpha);
D3DVALUE D3DRMColorGetRed(D3DCOLOR color);
D3DVALUE D3DRMColorGetGreen(D3DCOLOR color);
D3DVALUE D3DRMColorGetBlue(D3DCOLOR color);
D3DVALUE D3DRMColorGetAlpha(D3DCOLOR color);

// Whether the layer can invert `matrix` (column 3 being (0, 0, 0, 1)) as it inverts a camera's
// place to see through it: in its own single precision, every value of the inverse within it.
BOOL D3DRMMatrixInvertible(const D3DRMMATRIX4D matrix);

// The render-quality word is the sum of a shade mode, a lighting switch and a fill mode.
constexpr D3DRMRENDERQUALITY D3DRMSHADE_FLAT = 0x0;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_GOURAUD = 0x1;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_PHONG = 0x2;
constexpr D3DRMRENDERQUALITY D3DRMSHADE_MASK = 0x7;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_OFF = 0x0;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_ON = 0x8;
constexpr D3DRMRENDERQUALITY D3DRMLIGHT_MASK = 0x38;
constexpr D3DRMRENDERQUALITY D3DRMFILL_POINTS = 0x0;
constexpr D3DRMRENDERQUALITY D3DRMFILL_WIREFRAME = 0x40;
constexpr D3DRMRENDERQUALITY D3DRMFILL_SOLID = 0x80;
constexpr D3DRMRENDERQUALITY D3DRMFILL_MASK = 0x1C0;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_WIREFRAME = D3DRMSHADE_FLAT | D3DRMLIGHT_OFF | D3DRMFILL_WIREFRAME;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_UNLITFLAT = D3DRMSHADE_FLAT | D3DRMLIGHT_OFF | D3DRMFILL_SOLID;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_FLAT = D3DRMSHADE_FLAT | D3DRMLIGHT_ON | D3DRMFILL_SOLID;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_GOURAUD = D3DRMSHADE_GOURAUD | D3DRMLIGHT_ON | D3DRMFILL_SOLID;
constexpr D3DRMRENDERQUALITY D3DRMRENDER_PHONG = D3DRMSHADE_PHONG | D3DRMLIGHT_ON | D3DRMFILL_SOLID;
static_assert(D3DRMRENDER_PHONG == 0x8A && D3DRMRENDER_WIREFRAME == 0x40);

// Texture mapping flags of a mesh group.
constexpr D3DRMMAPPING D3DRMMAP_WRAPU = 0x1;
constexpr D3DRMMAPPING D3DRMMAP_WRAPV = 0x2;
constexpr D3DRMMAPPING D3DRMMAP_PERSPCORRECT = 0x4;

enum D3DRMLIGHTTYPE : DWORD {
  D3DRMLIGHT_AMBIENT = 0,
  D3DRMLIGHT_POINT = 1,
  D3DRMLIGHT_SPOT = 2,
  D3DRMLIGHT_DIRECTIONAL = 3,
  D3DRMLIGHT_PARALLELPOINT = 4,
};

enum D3DRMPROJECTIONTYPE : DWORD {
  D3DRMPROJECT_PERSPECTIVE = 0,
  D3DRMPROJECT_ORTHOGRAPHIC = 1,
};

// How texels are chosen: only the nearest texel is built.
using D3DRMTEXTUREQUALITY = DWORD;
constexpr D3DRMTEXTUREQUALITY D3DRMTEXTURE_NEAREST = 0;

enum D3DRMCOMBINETYPE : DWORD {
  D3DRMCOMBINE_REPLACE = 0,
  D3DRMCOMBINE_BEFORE = 1,
  D3DRMCOMBINE_AFTER = 2,
};

// Where a mesh builder loads from: a file name, or a D3DRMLOADMEMORY block.
constexpr D3DRMLOADOPTIONS D3DRMLOAD_FROMFILE = 0x0;
constexpr D3DRMLOADOPTIONS D3DRMLOAD_FROMMEMORY = 0x2;

struct D3DRMLOADMEMORY {
  LPVOID lpMemory;
  DWORD dSize;
};

// Result codes.
constexpr HRESULT D3DRM_OK = S_OK;
constexpr HRESULT D3DRMERR_BADOBJECT = ResultFromBits(0x8876030Du);
constexpr HRESULT D3DRMERR_BADTYPE = ResultFromBits(0x8876030Eu);
constexpr HRESULT D3DRMERR_BADALLOC = ResultFromBits(0x8876030Fu);
constexpr HRESULT D3DRMERR_NOTFOUND = ResultFromBits(0x88760311u);
constexpr HRESULT D3DRMERR_FILENOTFOUND = ResultFromBits(0x88760313u);
constexpr HRESULT D3DRMERR_BADFILE = ResultFromBits(0x88760314u);
constexpr HRESULT D3DRMERR_BADDEVICE = ResultFromBits(0x88760315u);
constexpr HRESULT D3DRMERR_BADVALUE = ResultFromBits(0x88760316u);
