#include "ObjectFileWriter.h"

#include <stdexcept>

#include "Thumbnail.h"
#include "scene/ObjectFile.h"

namespace objects {
namespace {

constexpr std::uint32_t kVersion = 3;  // the header with line colour and two-sided flag

void Put(std::vector<std::uint8_t>* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> ObjectFileBytes(const ObjectHeader& header, const std::vector<PartRecord>& parts,
                                          const std::vector<std::uint8_t>& thumbnailPixels, const std::string& xText) {
  if (thumbnailPixels.size() != std::size_t{kThumbnailStride} * kThumbnailSide)
    throw std::logic_error("thumbnail of the wrong size");
  std::vector<std::uint8_t> out(ObjectFileNotice().begin(), ObjectFileNotice().end());
  Put(&out, kVersion, 4);
  Put(&out, static_cast<std::uint32_t>(header.quality), 4);
  Put(&out, header.cartoon, 1);
  Put(&out, header.lineColour.r, 1);
  Put(&out, header.lineColour.g, 1);
  Put(&out, header.lineColour.b, 1);
  Put(&out, header.twoSided, 1);
  Put(&out, 0, 1);  // the flag byte, unused
  Put(&out, static_cast<std::uint32_t>(parts.size()), 4);
  for (const PartRecord& part : parts) {
    if (part.name.empty() || part.name.size() > 255) throw std::logic_error("part name of bad length: " + part.name);
    Put(&out, static_cast<std::uint32_t>(part.name.size()), 1);
    out.insert(out.end(), part.name.begin(), part.name.end());
    Put(&out, part.lit, 1);
  }
  // Bitmap file header: type, file size, two reserved words, offset of the pixels.
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(thumbnailPixels.size());
  out.push_back('B');
  out.push_back('M');
  Put(&out, 14 + 40 + pixelBytes, 4);
  Put(&out, 0, 4);
  Put(&out, 14 + 40, 4);
  // Information header: size, width, height (bottom-up), one plane, 24 bits, no compression,
  // image size, 72 dots per inch both ways, no palette.
  Put(&out, 40, 4);
  Put(&out, kThumbnailSide, 4);
  Put(&out, kThumbnailSide, 4);
  Put(&out, 1, 2);
  Put(&out, 24, 2);
  Put(&out, 0, 4);
  Put(&out, pixelBytes, 4);
  Put(&out, 2835, 4);
  Put(&out, 2835, 4);
  Put(&out, 0, 4);
  Put(&out, 0, 4);
  out.insert(out.end(), thumbnailPixels.begin(), thumbnailPixels.end());
  out.insert(out.end(), xText.begin(), xText.end());
  return out;
}

}  // namespace objects
