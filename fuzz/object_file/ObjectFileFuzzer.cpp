// Feeds arbitrary bytes to the object-file reader, and the mesh data of a file it reads to the
// .x reader, as the mesh loader hands it to the mesh builder.
#include <cstdint>
#include <cstdlib>

#include "platform/d3drm/xfile/XReader.h"
#include "scene/ObjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  ObjectFileHeader header;
  const ObjectFileRead result = ReadObjectFile(file, &header);
  if (header.partNames.size() != header.partLit.size()) std::abort();
  if (result != ObjectFileRead::kRead) return 0;
  if (header.meshOffset > size || header.thumbnailPixels + 6912 != header.meshOffset) std::abort();
  d3drm::xfile::XScene scene;
  d3drm::xfile::ReadXData(file.subspan(header.meshOffset), &scene);
  return 0;
}
