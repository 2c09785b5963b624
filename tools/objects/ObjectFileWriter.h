// Assembles an object file: the notice, the header with the object's default look, the part
// records, the thumbnail as a 24-bit bitmap with its headers, and the .x data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Sketch.h"

namespace objects {

struct ObjectHeader {
  std::int32_t quality = 0;  // 0: no quality setting
  bool cartoon = false;
  Rgb lineColour;
  bool twoSided = false;
};

struct PartRecord {
  std::string name;  // 1 to 255 bytes
  bool lit = true;
};

std::vector<std::uint8_t> ObjectFileBytes(const ObjectHeader& header, const std::vector<PartRecord>& parts,
                                          const std::vector<std::uint8_t>& thumbnailPixels, const std::string& xText);

}  // namespace objects
