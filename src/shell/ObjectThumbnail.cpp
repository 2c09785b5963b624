#include "shell/ObjectThumbnail.h"

#include <cctype>

#include "scene/ObjectFile.h"

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kBitCountOffset = 14;  // in the information header
constexpr std::size_t kRowBytes = (kThumbnailSide * 3 + 3) / 4 * 4;

}  // namespace

ObjectListing ReadObjectThumbnail(std::span<const std::uint8_t> file, ObjectThumbnail* thumbnail) {
  if (file.size() < kObjectFileNoticeSize) return ObjectListing::kDamaged;
  ObjectFileHeader header;
  switch (ReadObjectFile(file, &header)) {
    case ObjectFileRead::kNotObjectFile: return ObjectListing::kSkipped;
    case ObjectFileRead::kDamaged: return ObjectListing::kDamaged;
    case ObjectFileRead::kRead: break;
  }
  const std::uint8_t* bitCount = file.data() + header.thumbnailPixels - kInfoHeaderSize + kBitCountOffset;
  if ((bitCount[0] | bitCount[1] << 8) != 24) return ObjectListing::kDamaged;

  const std::uint8_t* pixels = file.data() + header.thumbnailPixels;
  const std::uint8_t key[3] = {pixels[0], pixels[1], pixels[2]};  // the bottom-left pixel
  for (int fileRow = 0; fileRow < kThumbnailSide; ++fileRow) {
    const int row = kThumbnailSide - 1 - fileRow;
    for (int x = 0; x < kThumbnailSide; ++x) {
      const std::uint8_t* bgr = pixels + static_cast<std::size_t>(fileRow) * kRowBytes + x * 3;
      const std::size_t at = static_cast<std::size_t>(row * kThumbnailSide + x);
      const bool clear = bgr[0] == key[0] && bgr[1] == key[1] && bgr[2] == key[2];
      thumbnail->transparent[at] = clear;
      thumbnail->rgb[at * 3] = clear ? 0 : bgr[2];
      thumbnail->rgb[at * 3 + 1] = clear ? 0 : bgr[1];
      thumbnail->rgb[at * 3 + 2] = clear ? 0 : bgr[0];
    }
  }
  return ObjectListing::kListed;
}

int CompareObjectLabels(const XString& first, const XString& second, long sortParameter) {
  const char* a = first;
  const char* b = second;
  auto folded = [](const char* c) { return std::tolower(static_cast<unsigned char>(*c)); };
  while (*a && folded(a) == folded(b)) ++a, ++b;
  const int order = folded(a) - folded(b);
  const int sign = order < 0 ? -1 : order > 0 ? 1 : 0;
  return sortParameter ? -sign : sign;
}
