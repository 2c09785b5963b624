// Copies the pixels of a DirectDraw surface into a texture picture.
#pragma once

#include "platform/d3drm/Texture.h"

class IDirectDrawSurface;

namespace d3drm {

// Reads 8-bit palette-indexed surfaces through their palette and 16-, 24- and 32-bit RGB
// surfaces through their masks. D3DRMERR_BADALLOC when DirectDraw is short of memory,
// D3DRMERR_BADOBJECT for a surface that cannot be read (lost, busy, a z-buffer, an 8-bit surface
// without a palette).
HRESULT ReadSurfacePicture(IDirectDrawSurface* surface, Picture* picture);

}  // namespace d3drm
