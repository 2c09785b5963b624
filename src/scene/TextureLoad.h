// The texture callback of the mesh builder and of texture reloading: the platform's own reader
// first (BMP), then JPEG pictures through libjpeg into power-of-two surfaces, shrunk by the
// object's effective quality, in 24-bit colour or 256 colours, painted by the mode filter.
#pragma once

#include "platform/d3drm/D3DRM.h"

// The callback's argument, filled by its caller.
struct TextureLoadInfo {
  TextureLoadInfo() = default;
  TextureLoadInfo(BOOL loadTextures, LONG effectiveQuality, LONG textureStyle, LONG brush)
      : load(loadTextures), quality(effectiveQuality), style(textureStyle), brushSize(brush) {}

  BOOL loaded = 0;    // out: the last call made a texture
  BOOL load = 0;      // textures are wanted; without, every call fails without a texture
  LONG quality = 0;   // the effective quality: below 0 shrinks by 2 to the power of -quality
  LONG style = 0;     // 0 Photo, 1 Painted (one filter pass), 2 Very painted (three)
  LONG brushSize = 3; // the filter's radius
};

// 0 with the texture, named by the file used; D3DRMERR_FILENOTFOUND after message 40216 for a
// missing file; D3DRMERR_BADFILE after message 40215 for a file neither the platform nor libjpeg
// reads; another platform result without a message.
HRESULT LoadTextureCallback(char* name, void* info, IDirect3DRMTexture** texture);
