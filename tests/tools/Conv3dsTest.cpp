// The 3D Studio converter: a .3ds file made by the test converts, with the loader's command line,
// into a text .x file whose mesh has the file's triangles, scaled box and materials.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/d3drm/D3DRM.h"
#include "platform/win/Process.h"
#include "support/TemporaryFolder.h"
#include "tools/ThreeDsWriter.h"

namespace {

const std::vector<ThreeDsMesh> kChair = {
    {{{0, 0, 0}, {100, 0, 0}, {100, 50, 0}, {0, 50, 0}}, {1, 0, 0}, {0.5f, 0.5f, 0.5f}, "seat.jpg"},
    {{{0, 0, 20}, {0, 50, 20}, {100, 50, 20}, {100, 0, 20}, {0, 0, 0}, {0, 0, 20}, {0, 50, 20}, {0, 50, 0}},
     {0, 0, 1}, {0, 0, 0}, ""}};

std::string Converter() { return std::string(TAVROLIN_BIN_DIR) + "/conv3ds"; }

struct Converted {
  IDirect3DRM* rm = nullptr;
  IDirect3DRMMeshBuilder* builder = nullptr;
  IDirect3DRMMesh* mesh = nullptr;
  ~Converted() {
    if (mesh) mesh->Release();
    if (builder) builder->Release();
    if (rm) rm->Release();
  }
};

// Converts kChair with the given switches and loads the output.
HRESULT ConvertAndLoad(const TemporaryFolder& folder, const std::string& switches, Converted* out) {
  const std::string source = folder / "Chair.3ds";
  const std::string target = folder / "Chair.x";
  EXPECT_TRUE(WriteThreeDs(source, kChair));
  const ProgramRun run = RunProgramAndWait("\"" + Converter() + "\" " + switches + "-t -c -m -s0.0254 -o \"" + target +
                                           "\" \"" + source + "\"");
  EXPECT_TRUE(run.started);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Direct3DRMCreate(&out->rm), D3DRM_OK);
  EXPECT_EQ(out->rm->CreateMeshBuilder(&out->builder), D3DRM_OK);
  const HRESULT result = out->builder->Load(const_cast<char*>(target.c_str()), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr);
  if (result == D3DRM_OK) {
    EXPECT_EQ(out->builder->CreateMesh(&out->mesh), D3DRM_OK);
  }
  return result;
}

unsigned Triangles(IDirect3DRMMesh* mesh) {
  unsigned total = 0;
  for (unsigned g = 0; g < mesh->GetGroupCount(); ++g) {
    unsigned faces = 0;
    EXPECT_EQ(mesh->GetGroup(static_cast<D3DRMGROUPINDEX>(g), nullptr, &faces, nullptr, nullptr, nullptr), D3DRM_OK);
    total += faces;
  }
  return total;
}

// The first face of group g: its corners' cross product against its first corner's normal.
float FacingOfFirstFace(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX g, D3DVECTOR* normal) {
  unsigned vertices = 0, faces[3];
  DWORD size = 3;
  D3DRMVERTEX v[16];
  EXPECT_EQ(mesh->GetGroup(g, &vertices, nullptr, nullptr, &size, nullptr), D3DRM_OK);
  std::vector<unsigned> data(size);
  EXPECT_EQ(mesh->GetGroup(g, nullptr, nullptr, nullptr, &size, data.data()), D3DRM_OK);
  EXPECT_LE(vertices, 16u);
  EXPECT_EQ(mesh->GetVertices(g, 0, vertices, v), D3DRM_OK);
  for (int k = 0; k < 3; ++k) faces[k] = data[k];
  const D3DVECTOR a = v[faces[0]].position, b = v[faces[1]].position, c = v[faces[2]].position;
  const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, wx = c.x - a.x, wy = c.y - a.y, wz = c.z - a.z;
  *normal = v[faces[0]].normal;
  return (uy * wz - uz * wy) * normal->x + (uz * wx - ux * wz) * normal->y + (ux * wy - uy * wx) * normal->z;
}

TEST(Conv3ds, TrianglesBoxAndMaterialsCarryOver) {
  TemporaryFolder folder;
  Converted c;
  ASSERT_EQ(ConvertAndLoad(folder, "", &c), D3DRM_OK);
  EXPECT_EQ(Triangles(c.mesh), 6u);
  D3DRMBOX box;
  ASSERT_EQ(c.builder->GetBox(&box), D3DRM_OK);
  // Z-up right-handed 3D Studio space becomes y-up left-handed .x space: y and z change places.
  EXPECT_NEAR(box.min.x, 0, 1e-6);
  EXPECT_NEAR(box.max.x, 2.54, 1e-5);
  EXPECT_NEAR(box.min.y, 0, 1e-6);
  EXPECT_NEAR(box.max.y, 0.508, 1e-5);
  EXPECT_NEAR(box.min.z, 0, 1e-6);
  EXPECT_NEAR(box.max.z, 1.27, 1e-5);
  ASSERT_EQ(c.mesh->GetGroupCount(), 2u);
  EXPECT_EQ(c.mesh->GetGroupColor(0), 0xFFFF0000u);
  EXPECT_EQ(c.mesh->GetGroupColor(1), 0xFF0000FFu);
  IDirect3DRMMaterial* material = nullptr;
  ASSERT_EQ(c.mesh->GetGroupMaterial(0, &material), D3DRM_OK);
  D3DVALUE r, g, b;
  EXPECT_EQ(material->GetSpecular(&r, &g, &b), D3DRM_OK);
  EXPECT_NEAR(r, 0.5f, 1e-3);
  material->Release();
  std::ifstream text(folder / "Chair.x");
  const std::string x((std::istreambuf_iterator<char>(text)), std::istreambuf_iterator<char>());
  EXPECT_NE(x.find("TextureFilename {\n    \"seat.jpg\";"), std::string::npos);
}

TEST(Conv3ds, ReverseTurnsEveryFaceRound) {
  TemporaryFolder plainFolder, reversedFolder;
  Converted plain, reversed;
  ASSERT_EQ(ConvertAndLoad(plainFolder, "", &plain), D3DRM_OK);
  ASSERT_EQ(ConvertAndLoad(reversedFolder, "-r ", &reversed), D3DRM_OK);
  ASSERT_EQ(Triangles(reversed.mesh), Triangles(plain.mesh));
  for (D3DRMGROUPINDEX g = 0; g < 2; ++g) {
    D3DVECTOR a, b;
    const float plainFacing = FacingOfFirstFace(plain.mesh, g, &a);
    const float reversedFacing = FacingOfFirstFace(reversed.mesh, g, &b);
    EXPECT_GT(plainFacing * reversedFacing, 0.0f) << "faces stay consistent with their normals";
    EXPECT_NEAR(a.x + b.x, 0.0f, 1e-6);
    EXPECT_NEAR(a.y + b.y, 0.0f, 1e-6);
    EXPECT_NEAR(a.z + b.z, 0.0f, 1e-6);
  }
}

TEST(Conv3ds, BadCommandLinesAndFilesFail) {
  TemporaryFolder folder;
  EXPECT_NE(RunProgramAndWait("\"" + Converter() + "\" -t -o \"" + (folder / "a.x") + "\"").exitCode, 0);
  EXPECT_NE(RunProgramAndWait("\"" + Converter() + "\" -o \"" + (folder / "a.x") + "\" \"" + (folder / "none.3ds") + "\"")
                .exitCode,
            0);
  EXPECT_FALSE(std::filesystem::exists(folder / "a.x"));
}

}  // namespace
