// JPEG pictures of 8-bit RGB pixels, through libjpeg.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace objects {

struct Picture {
  unsigned width = 0, height = 0;
  std::vector<std::uint8_t> rgb;  // rows top-down, red, green, blue per pixel
};

// Both fail with std::runtime_error, naming the file.
void WriteJpeg(const std::string& path, const Picture& picture, int quality);
Picture ReadJpeg(const std::string& path);

}  // namespace objects
