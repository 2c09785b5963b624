// Seams that let tests drive the failure paths of the DirectDraw layer's callers.
#pragma once

#include "platform/win/WinTypes.h"

// The calls a fault can be injected into. Create covers DirectDrawCreate and the creation of
// surfaces, palettes and clippers.
enum class DDCall {
  Create,
  QueryInterface,
  SetCooperativeLevel,
  GetSurfaceDesc,
  Lock,
  Unlock,
  IsLost,
  AddAttachedSurface,
  GetAttachedSurface,
  SetPalette,
  SetClipper,
  SetHWnd,
  Blt,
  GetDC,
  Count
};

// The next `count` calls of `call` fail with `result` before doing anything.
void DDFailNext(DDCall call, int count, HRESULT result);
// The same after `skip` more calls of `call` have run.
void DDFailAfter(DDCall call, int skip, int count, HRESULT result);
void DDClearFaults();

// Loses every primary and video-memory surface that exists now, as a display change does.
void DDLoseSurfaces();

// DirectDraw objects, surfaces, palettes and clippers alive now.
long DDLiveObjectCount();
