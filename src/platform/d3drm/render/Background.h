// Clearing a viewport: its rectangle takes the background colour, or the background picture
// stretched over it (each pixel takes the texel under its centre), and its z-buffer 0xFFFF.
#pragma once

#include "platform/d3drm/Texture.h"
#include "platform/d3drm/render/Target.h"

namespace d3drm {

void ClearTarget(const RenderTarget& target, D3DCOLOR background, const Picture* image);

}  // namespace d3drm
