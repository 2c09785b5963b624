// The maker's object files: a fixed notice of 288 bytes, a header with the object's default look,
// the names of its parts, a 48 x 48 24-bit thumbnail and the object's .x data. A file is an object
// file exactly when it begins with the notice.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

constexpr std::size_t kObjectFileNoticeSize = 288;

// 287 characters in lines ended by carriage return and line feed, then a NUL.
const std::array<char, kObjectFileNoticeSize>& ObjectFileNotice();

// Whether `start` (the first bytes of a file) is the whole notice.
bool StartsWithObjectFileNotice(std::span<const std::uint8_t> start);

// What a reading found, in file order. A value is present once it was read and valid, so a
// damaged file still gives what came before the damage.
struct ObjectFileHeader {
  std::optional<std::uint32_t> version;
  std::optional<std::int32_t> quality;
  std::optional<bool> cartoon;
  std::optional<std::array<std::uint8_t, 3>> lineColor;  // red, green, blue (versions 2 and 3)
  std::optional<bool> twoSided;                          // versions 2 and 3
  std::vector<std::string> partNames;                    // each up to its first NUL
  std::vector<std::uint8_t> partLit;                     // 0 or 1, one per name
  std::size_t thumbnailPixels = 0;  // offset of the 48 rows of 144 bytes, bottom row first
  std::size_t meshOffset = 0;       // the .x data runs from here to the end of the file
};

enum class ObjectFileRead { kNotObjectFile, kDamaged, kRead };

// Reads the header and thumbnail of a whole file. A file shorter than the notice is not an
// object file. A thumbnail or mesh cut short is damage.
ObjectFileRead ReadObjectFile(std::span<const std::uint8_t> file, ObjectFileHeader* header);
