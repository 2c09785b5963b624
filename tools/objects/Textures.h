// The objects' texture pictures, drawn from seeded noise so that every build makes the same
// files. Each picture tiles seamlessly and has power-of-two sides.
#pragma once

#include <string>
#include <vector>

#include "Jpeg.h"

namespace objects {

struct TextureDrawing {
  std::string file;  // the JPEG's name beside the objects
  Picture (*draw)();
};

const std::vector<TextureDrawing>& TextureDrawings();

}  // namespace objects
