// Feeds arbitrary bytes to the BMP texture decoder and checks the size of what it gives.
#include <cstdint>
#include <cstdlib>

#include "platform/d3drm/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  d3drm::Picture picture;
  if (d3drm::DecodeBmp({data, size}, &picture) && picture.pixels.size() != std::size_t{picture.width} * picture.height)
    std::abort();
  return 0;
}
