// Builds the objects folder: the texture pictures, then every object file of the catalogue with
// its thumbnail rendered by the program's own 3D layer.
//   make_objects <objects folder>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "Catalogue.h"
#include "ObjectFileWriter.h"
#include "Textures.h"
#include "Thumbnail.h"
#include "XText.h"

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void MakeObject(const objects::Recipe& recipe, const std::filesystem::path& folder) {
  objects::Sketch sketch;
  recipe.build(sketch);
  const std::string x = objects::XText(sketch);
  const objects::Rendering rendering = objects::RenderThumbnail(x, sketch.Parts(), folder.string());
  if (rendering.partOrder.size() != sketch.Parts().size())
    throw std::runtime_error(recipe.name + ": the mesh has " + std::to_string(rendering.partOrder.size()) +
                             " parts, the sketch " + std::to_string(sketch.Parts().size()));
  const auto& parts = sketch.Parts();
  const bool textured = std::any_of(parts.begin(), parts.end(), [](const objects::Part& p) { return !p.texture.empty(); });
  // Textured objects show their pictures and take the painted styles; plain ones are drawn in
  // their colours with black cartoon lines. Thin surfaces are modelled with both sides.
  objects::ObjectHeader header;
  header.quality = textured ? 1 : 0;
  header.cartoon = !textured;
  std::vector<objects::PartRecord> records;
  for (int index : rendering.partOrder) records.push_back({parts[static_cast<std::size_t>(index)].name,
                                                           parts[static_cast<std::size_t>(index)].lit});
  WriteFile(folder / (recipe.name + ".ulm"), objects::ObjectFileBytes(header, records, rendering.pixels, x));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_objects <objects folder>\n");
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    // Files of objects or textures that the catalogue no longer has must not stay behind.
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path().extension() == ".ulm" || entry.path().extension() == ".jpg") std::filesystem::remove(entry.path());
    for (const objects::TextureDrawing& drawing : objects::TextureDrawings())
      objects::WriteJpeg((folder / drawing.file).string(), drawing.draw(), 90);
    for (const objects::Recipe& recipe : objects::Catalogue()) MakeObject(recipe, folder);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_objects: %s\n", e.what());
    return 1;
  }
  return 0;
}
