// Writes a sketch as Direct3D .x text: one mesh with normals, texture coordinates and one
// material per part, in the order of the parts.
#pragma once

#include <string>

#include "Sketch.h"

namespace objects {

std::string XText(const Sketch& sketch);

}  // namespace objects
