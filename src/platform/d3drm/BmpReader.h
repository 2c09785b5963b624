// Decodes uncompressed BMP files (1, 4 and 8 bits with a palette, 24 and 32 bits, rows bottom-up
// or top-down) into 0x00RRGGBB pixels. Every size and offset is checked against the data.
#pragma once

#include <cstdint>
#include <span>

#include "platform/d3drm/Texture.h"

namespace d3drm {

// Pictures wider or taller than this are refused.
constexpr std::uint32_t kMaxPictureSide = 16384;

// False for anything that is not such a BMP or is damaged.
[[nodiscard]] bool DecodeBmp(std::span<const std::uint8_t> data, Picture* picture);

}  // namespace d3drm
