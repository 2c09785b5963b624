// The texture callback of the mesh builder and of texture reloading: the platform's own reader
// first (BMP), then JPEG pictures through libjpeg into power-of-two surfaces, shrunk by the
// object's effective quality, in 24-bit colour or 256 colours, painted by the mode filter.
#pragma once

#include <map>
#include <string>

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

  // What one load learns, so that it asks for each missing file and reports each problem file
  // once, however many parts use it.
  std::map<std::string, std::string> located;  // a missing name and the user's answer
  std::map<std::string, HRESULT> reported;     // names whose failure the user has been told
};

// 0 with the texture, named by the file used. A name with Windows separators is looked for by
// its file name in the current folder (the model's) first. A missing file is asked for; when the
// user gives up, the load goes on with the name as it was. D3DRMERR_FILENOTFOUND after message
// 40216 for a file that stays missing, D3DRMERR_BADFILE after message 40215 for a file neither
// the platform nor libjpeg reads (after the reader's own messages), each name told once per load
// and failing quietly after that; another platform result without a message.
HRESULT LoadTextureCallback(char* name, void* info, IDirect3DRMTexture** texture);
