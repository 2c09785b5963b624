// Writes object files field by field, with every field open to damage.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "scene/ObjectFile.h"

struct ObjectFileWriter {
  std::uint32_t version = 0;
  std::int32_t quality = 0;
  std::uint8_t cartoon = 0;
  std::array<std::uint8_t, 3> rgb{};
  std::uint8_t twoSided = 0;
  std::uint8_t flag = 0;
  std::vector<std::pair<std::string, std::uint8_t>> parts;  // name and lit flag
  std::array<char, 2> bm = {'B', 'M'};
  std::uint32_t infoSize = 40, width = 48, height = 48, compression = 0;
  std::uint16_t planes = 1, bitCount = 24;
  std::size_t pixelBytes = 6912;
  std::string mesh;  // .x data after the thumbnail

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> b(ObjectFileNotice().begin(), ObjectFileNotice().end());
    const auto u8 = [&](std::uint8_t v) { b.push_back(v); };
    const auto u16 = [&](std::uint16_t v) { u8(static_cast<std::uint8_t>(v)), u8(static_cast<std::uint8_t>(v >> 8)); };
    const auto u32 = [&](std::uint32_t v) { u16(static_cast<std::uint16_t>(v)), u16(static_cast<std::uint16_t>(v >> 16)); };
    u32(version);
    u32(static_cast<std::uint32_t>(quality));
    u8(cartoon);
    if (version >= 2) {
      for (std::uint8_t c : rgb) u8(c);
      u8(twoSided);
      u8(flag);
    }
    u32(static_cast<std::uint32_t>(parts.size()));
    for (const auto& [name, lit] : parts) {
      u8(static_cast<std::uint8_t>(name.size()));
      b.insert(b.end(), name.begin(), name.end());
      u8(lit);
    }
    u8(static_cast<std::uint8_t>(bm[0]));
    u8(static_cast<std::uint8_t>(bm[1]));
    b.resize(b.size() + 12);
    u32(infoSize);
    u32(width);
    u32(height);
    u16(planes);
    u16(bitCount);
    u32(compression);
    b.resize(b.size() + 20 + pixelBytes);
    b.insert(b.end(), mesh.begin(), mesh.end());
    return b;
  }
};
