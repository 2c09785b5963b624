// The shipped objects folder: every object file reads, shows a real thumbnail, names its mesh's parts
// in the loader's order, and every texture it names lies beside it and decodes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "Catalogue.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/win/ComPtr.h"
#include "scene/Jpeg.h"
#include "scene/ObjectFile.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

namespace fs = std::filesystem;

struct TextureCheck {
  fs::path folder;
  std::set<std::string> named;
  std::vector<std::string> faults;
};

// Sizes the named JPEG beside the object as the texture loading does; the mesh is built without it.
HRESULT CheckTexture(char* name, void* arg, IDirect3DRMTexture** texture) {
  auto* check = static_cast<TextureCheck*>(arg);
  check->named.insert(name);
  *texture = nullptr;
  unsigned width = 0, height = 0;
  auto powerOfTwo = [](unsigned side) { return side && !(side & (side - 1)); };
  if (!GetJPEGSize((check->folder / name).c_str(), 1, FALSE, 256, &width, &height) || !powerOfTwo(width) ||
      !powerOfTwo(height))
    check->faults.push_back(name);
  return D3DRMERR_FILENOTFOUND;
}

// The colours of the parts the loader forms: one per look (colour, material, quality), last group first.
std::vector<D3DCOLOR> PartColours(IDirect3DRMMesh* mesh) {
  struct Look {
    D3DCOLOR colour;
    D3DRMRENDERQUALITY quality;
    float power, specular[3], emissive[3];
    bool operator==(const Look&) const = default;
  };
  std::vector<Look> looks;
  for (unsigned g = mesh->GetGroupCount(); g-- > 0;) {
    const auto group = static_cast<D3DRMGROUPINDEX>(g);
    Look look{mesh->GetGroupColor(group), mesh->GetGroupQuality(group), 0, {}, {}};
    ComPtr<IDirect3DRMMaterial> material;
    EXPECT_EQ(mesh->GetGroupMaterial(group, material.put()), D3DRM_OK);
    if (material) {
      look.power = material->GetPower();
      material->GetSpecular(&look.specular[0], &look.specular[1], &look.specular[2]);
      material->GetEmissive(&look.emissive[0], &look.emissive[1], &look.emissive[2]);
    }
    if (std::find(looks.begin(), looks.end(), look) == looks.end()) looks.push_back(look);
  }
  std::vector<D3DCOLOR> colours;
  for (const Look& look : looks) colours.push_back(look.colour);
  return colours;
}

// The name the catalogue gives the part of that colour in the object of that title.
std::string CataloguePartName(const std::string& title, D3DCOLOR colour) {
  for (const objects::Recipe& recipe : objects::Catalogue()) {
    if (recipe.name != title) continue;
    objects::Sketch sketch;
    recipe.build(sketch);
    for (const objects::Part& part : sketch.Parts()) {
      const D3DCOLOR c = 0xFF000000u | std::uint32_t{part.colour.r} << 16 | std::uint32_t{part.colour.g} << 8 | part.colour.b;
      if (c == colour) return part.name;
    }
  }
  return "";
}

TEST(ObjectsFolder, EveryObjectReadsWithThumbnailPartsAndTextures) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(TAVROLIN_OBJECTS_DIR))
    if (entry.path().extension() == ".ulm") files.push_back(entry.path());
  EXPECT_GE(files.size(), 24u);
  ScriptedMessageBoxes boxes;
  std::size_t textured = 0;
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ObjectFileHeader header;
    ASSERT_EQ(ReadObjectFile(bytes, &header), ObjectFileRead::kRead);
    EXPECT_EQ(bytes[header.thumbnailPixels - 40 + 14], 24) << "bits per pixel";

    // The thumbnail: the bottom-left pixel's colour around an object covering a good share of it.
    const std::uint8_t* pixels = &bytes[header.thumbnailPixels];
    int object = 0;
    for (int p = 0; p < 48 * 48; ++p) object += std::memcmp(&pixels[(p / 48) * 144 + (p % 48) * 3], pixels, 3) != 0;
    EXPECT_GT(object, 48 * 48 / 20);
    EXPECT_LT(object, 48 * 48);

    ComPtr<IDirect3DRM> rm;
    ASSERT_EQ(Direct3DRMCreate(rm.put()), D3DRM_OK);
    ComPtr<IDirect3DRMMeshBuilder> builder;
    ASSERT_EQ(rm->CreateMeshBuilder(builder.put()), D3DRM_OK);
    TextureCheck textures{path.parent_path(), {}, {}};
    D3DRMLOADMEMORY memory{const_cast<std::uint8_t*>(&bytes[header.meshOffset]),
                           static_cast<DWORD>(bytes.size() - header.meshOffset)};
    ASSERT_EQ(builder->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, CheckTexture, &textures), D3DRM_OK);
    EXPECT_EQ(textures.faults, std::vector<std::string>{});
    textured += !textures.named.empty();
    ComPtr<IDirect3DRMMesh> mesh;
    ASSERT_EQ(builder->CreateMesh(mesh.put()), D3DRM_OK);
    // Record i names the i-th part the loader forms, so each name reaches the right groups.
    std::vector<std::string> expected;
    for (D3DCOLOR colour : PartColours(mesh.get())) expected.push_back(CataloguePartName(path.stem().string(), colour));
    EXPECT_EQ(header.partNames, expected);
  }
  EXPECT_GE(textured, 8u);
  EXPECT_EQ(boxes.boxes.size(), 0u);
}

}  // namespace
