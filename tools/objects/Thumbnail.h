// Renders an object's .x data with the program's own 3D layer into its 48 x 48 thumbnail.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Sketch.h"

namespace objects {

inline constexpr int kThumbnailSide = 48;
inline constexpr int kThumbnailStride = 144;  // 48 pixels of 3 bytes, already a multiple of 4
// The colour around the object: the list shows pixels of the bottom-left pixel's colour as
// transparent, so it must not occur on the object.
inline constexpr Rgb kThumbnailKey{255, 0, 255};

struct Rendering {
  std::vector<std::uint8_t> pixels;  // 48 rows bottom-up, blue, green, red per pixel
  // The parts as the loader numbers them: one per distinct look, walking the mesh's groups from
  // the last to the first; each given as the index of the sketch part of that colour.
  std::vector<int> partOrder;
};

// Textures named in the data are read as JPEG files from `textureFolder`. The object is shown
// as the program first shows it: textured objects in their textures, others in their colours.
Rendering RenderThumbnail(const std::string& xText, const std::vector<Part>& parts, const std::string& textureFolder);

}  // namespace objects
