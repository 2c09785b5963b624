// The shipped objects folder: every object file reads by the object-file rules, shows a real
// thumbnail and names exactly the parts its mesh yields; every texture it names lies beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Catalogue.h"
#include "Jpeg.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/win/ComPtr.h"
#include "resources/ObjectNotice.h"

namespace {

namespace fs = std::filesystem;

// The parts of an object file that the checks below look at, read by the object-file rules;
// `error` names the first rule the file breaks.
struct ObjectFile {
  std::string error;
  std::vector<std::string> partNames;
  std::vector<std::uint8_t> pixels;  // 48 rows of 144 bytes, bottom-up
  std::string mesh;
};

class Reader {
 public:
  explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  bool Take(std::size_t count, const std::uint8_t** at) {
    if (bytes_.size() - offset_ < count) return false;
    *at = &bytes_[offset_];
    offset_ += count;
    return true;
  }
  bool Number(std::size_t size, std::uint32_t* value) {
    const std::uint8_t* at = nullptr;
    if (!Take(size, &at)) return false;
    *value = 0;
    for (std::size_t i = size; i-- > 0;) *value = *value << 8 | at[i];
    return true;
  }
  std::size_t Offset() const { return offset_; }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t offset_ = 0;
};

ObjectFile Broken(const char* rule) {
  ObjectFile file;
  file.error = rule;
  return file;
}

ObjectFile ReadObjectFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Reader r(bytes);
  ObjectFile file;
  const std::uint8_t* notice = nullptr;
  if (!r.Take(kObjectNoticeSize, &notice) || std::memcmp(notice, kObjectNotice, kObjectNoticeSize) != 0)
    return Broken("notice");
  std::uint32_t version = 0, value = 0;
  if (!r.Number(4, &version) || version > 3) return Broken("version");
  if (!r.Number(4, &value)) return Broken("quality");
  if (!r.Number(1, &value) || value > 1) return Broken("cartoon");
  if (version >= 2) {
    if (!r.Number(3, &value)) return Broken("line colour");
    if (!r.Number(1, &value) || value > 1) return Broken("two-sided");
    if (!r.Number(1, &value) || value > 1) return Broken("flag");
  }
  std::uint32_t parts = 0;
  if (!r.Number(4, &parts)) return Broken("part count");
  for (std::uint32_t i = 0; i < parts; ++i) {
    std::uint32_t length = 0;
    const std::uint8_t* name = nullptr;
    if (!r.Number(1, &length) || length == 0 || !r.Take(length, &name)) return Broken("part name");
    file.partNames.emplace_back(reinterpret_cast<const char*>(name), length);
    if (!r.Number(1, &value) || value > 1) return Broken("lit flag");
  }
  const std::uint8_t* header = nullptr;
  if (!r.Take(14, &header) || header[0] != 'B' || header[1] != 'M') return Broken("bitmap file header");
  std::uint32_t size = 0, width = 0, height = 0, planes = 0, bits = 0, compression = 0;
  if (!r.Number(4, &size) || size != 40 || !r.Number(4, &width) || width != 48 || !r.Number(4, &height) ||
      height != 48 || !r.Number(2, &planes) || planes != 1 || !r.Number(2, &bits) || bits != 24 ||
      !r.Number(4, &compression) || compression != 0 || !r.Take(20, &header))
    return Broken("bitmap information header");
  const std::uint8_t* pixels = nullptr;
  if (!r.Take(48 * 144, &pixels)) return Broken("pixels");
  file.pixels.assign(pixels, pixels + 48 * 144);
  file.mesh.assign(bytes.begin() + static_cast<std::ptrdiff_t>(r.Offset()), bytes.end());
  return file;
}


struct TextureCheck {
  fs::path folder;
  IDirect3DRM* rm;
  std::set<std::string> named;
  std::vector<std::string> faults;
};

// Reads the named JPEG beside the object; the mesh is built without the picture.
HRESULT CheckTexture(char* name, void* arg, IDirect3DRMTexture** texture) {
  auto* check = static_cast<TextureCheck*>(arg);
  check->named.insert(name);
  *texture = nullptr;
  try {
    const objects::Picture picture = objects::ReadJpeg((check->folder / name).string());
    auto powerOfTwo = [](unsigned side) { return side && !(side & (side - 1)); };
    if (!powerOfTwo(picture.width) || !powerOfTwo(picture.height)) check->faults.push_back(std::string(name) + " size");
  } catch (const std::exception& e) {
    check->faults.push_back(e.what());
  }
  return D3DRMERR_FILENOTFOUND;
}

// The parts the loader forms: one per distinct look of the groups, from the last group to the
// first, each given by its colour. Group looks differ here only in colour, material and render
// quality.
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
    IDirect3DRMMaterial* material = nullptr;
    EXPECT_EQ(mesh->GetGroupMaterial(group, &material), D3DRM_OK);
    if (material) {
      look.power = material->GetPower();
      material->GetSpecular(&look.specular[0], &look.specular[1], &look.specular[2]);
      material->GetEmissive(&look.emissive[0], &look.emissive[1], &look.emissive[2]);
      material->Release();
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

std::vector<fs::path> ObjectFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(TAVROLIN_OBJECTS_DIR))
    if (entry.path().extension() == ".ulm") files.push_back(entry.path());
  return files;
}

TEST(ObjectsFolder, NoticeIsOneTextOfCrLfLines) {
  const std::string notice(kObjectNotice, kObjectNoticeSize - 1);
  EXPECT_EQ(notice.size(), 287u);
  EXPECT_EQ(notice.find('\0'), std::string::npos);
  EXPECT_EQ(kObjectNotice[kObjectNoticeSize - 1], '\0');
  for (std::size_t at = notice.find('\n'); at != std::string::npos; at = notice.find('\n', at + 1))
    EXPECT_EQ(notice[at - 1], '\r') << "a line feed without carriage return at " << at;
  EXPECT_NE(notice.find("\r\n"), std::string::npos);
}

TEST(ObjectsFolder, EveryObjectReadsWithThumbnailPartsAndTextures) {
  const std::vector<fs::path> files = ObjectFiles();
  EXPECT_GE(files.size(), 24u);
  std::size_t textured = 0;
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    const ObjectFile file = ReadObjectFile(path);
    ASSERT_EQ(file.error, "");

    // The thumbnail: background of the bottom-left pixel's colour around an object that covers
    // a good share of it.
    const std::uint8_t* key = file.pixels.data();
    int object = 0;
    for (int p = 0; p < 48 * 48; ++p) object += std::memcmp(&file.pixels[(p / 48) * 144 + (p % 48) * 3], key, 3) != 0;
    EXPECT_GT(object, 48 * 48 / 20);
    EXPECT_LT(object, 48 * 48);

    IDirect3DRM* rmRaw = nullptr;
    ASSERT_EQ(Direct3DRMCreate(&rmRaw), D3DRM_OK);
    auto rm = ComPtr<IDirect3DRM>::adopt(rmRaw);
    IDirect3DRMMeshBuilder* builderRaw = nullptr;
    ASSERT_EQ(rm->CreateMeshBuilder(&builderRaw), D3DRM_OK);
    auto builder = ComPtr<IDirect3DRMMeshBuilder>::adopt(builderRaw);
    TextureCheck textures{path.parent_path(), rm.get(), {}, {}};
    D3DRMLOADMEMORY memory{const_cast<char*>(file.mesh.data()), static_cast<DWORD>(file.mesh.size())};
    ASSERT_EQ(builder->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, CheckTexture, &textures), D3DRM_OK);
    EXPECT_EQ(textures.faults, std::vector<std::string>{});
    textured += !textures.named.empty();
    IDirect3DRMMesh* meshRaw = nullptr;
    ASSERT_EQ(builder->CreateMesh(&meshRaw), D3DRM_OK);
    auto mesh = ComPtr<IDirect3DRMMesh>::adopt(meshRaw);
    // Record i names the i-th part the loader forms, so each name reaches the right groups.
    std::vector<std::string> expected;
    for (D3DCOLOR colour : PartColours(mesh.get())) expected.push_back(CataloguePartName(path.stem().string(), colour));
    EXPECT_EQ(file.partNames, expected);
    EXPECT_EQ(std::set<std::string>(file.partNames.begin(), file.partNames.end()).size(), file.partNames.size())
        << "two parts of one name";
  }
  EXPECT_GE(textured, 8u);
}

}  // namespace
