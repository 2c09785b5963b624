// What the 3D Objects window takes from an object file: whether it lists at all, and its 48 x 48
// thumbnail with the pixels of the bottom-left pixel's colour made transparent.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/XString.h"

constexpr int kThumbnailSide = 48;

struct ObjectThumbnail {
  // Rows top-down, red, green, blue; transparent pixels are black.
  std::array<std::uint8_t, kThumbnailSide * kThumbnailSide * 3> rgb{};
  std::array<bool, kThumbnailSide * kThumbnailSide> transparent{};
};

enum class ObjectListing {
  kSkipped,  // not an object file (another notice): left out without a word
  kDamaged,  // cut short or failing a check: reported with message 40045
  kListed,
};

// A file shorter than the notice is damaged; the thumbnail must be 48 x 48 at 24 bits a pixel,
// checked before any pixel is read.
ObjectListing ReadObjectThumbnail(std::span<const std::uint8_t> file, ObjectThumbnail* thumbnail);

// The list's order: labels compared without regard to case, ascending; a non-zero sort
// parameter reverses it.
int CompareObjectLabels(const XString& first, const XString& second, long sortParameter);
