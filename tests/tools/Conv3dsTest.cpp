// The 3D Studio converter: a .3ds file made by the test converts, with the loader's command line,
// into a text .x file whose mesh has the file's triangles, scaled box and materials.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/d3drm/D3DRM.h"
#include "platform/win/ComPtr.h"
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
  ComPtr<IDirect3DRM> rm;
  ComPtr<IDirect3DRMMeshBuilder> builder;
  ComPtr<IDirect3DRMMesh> mesh;
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
  EXPECT_EQ(Direct3DRMCreate(out->rm.put()), D3DRM_OK);
  EXPECT_EQ(out->rm->CreateMeshBuilder(out->builder.put()), D3DRM_OK);
  const HRESULT result =
      out->builder->Load(const_cast<char*>(target.c_str()), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr);
  EXPECT_EQ(result == D3DRM_OK ? out->builder->CreateMesh(out->mesh.put()) : D3DRM_OK, D3DRM_OK);
  return result;
}

// The corners of the first face of group g.
std::vector<D3DRMVERTEX> FirstFace(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX g) {
  unsigned count = 0;
  DWORD size = 0;
  EXPECT_EQ(mesh->GetGroup(g, &count, nullptr, nullptr, &size, nullptr), D3DRM_OK);
  std::vector<unsigned> faces(size);
  std::vector<D3DRMVERTEX> v(count);
  EXPECT_EQ(mesh->GetGroup(g, nullptr, nullptr, nullptr, &size, faces.data()), D3DRM_OK);
  EXPECT_EQ(mesh->GetVertices(g, 0, count, v.data()), D3DRM_OK);
  return {v.at(faces.at(0)), v.at(faces.at(1)), v.at(faces.at(2))};
}

TEST(Conv3ds, TrianglesBoxAndMaterialsCarryOver) {
  TemporaryFolder folder;
  Converted c;
  ASSERT_EQ(ConvertAndLoad(folder, "", &c), D3DRM_OK);
  ASSERT_EQ(c.mesh->GetGroupCount(), 2u);
  unsigned triangles[2] = {};
  for (D3DRMGROUPINDEX g = 0; g < 2; ++g)
    EXPECT_EQ(c.mesh->GetGroup(g, nullptr, &triangles[g], nullptr, nullptr, nullptr), D3DRM_OK);
  EXPECT_EQ(triangles[0] + triangles[1], 6u);
  D3DRMBOX box;
  ASSERT_EQ(c.builder->GetBox(&box), D3DRM_OK);
  // Z-up right-handed 3D Studio space becomes y-up left-handed .x space: y and z change places.
  EXPECT_TRUE(box.min.x == 0 && box.min.y == 0 && box.min.z == 0);
  EXPECT_NEAR(box.max.x, 2.54, 1e-5);
  EXPECT_NEAR(box.max.y, 0.508, 1e-5);
  EXPECT_NEAR(box.max.z, 1.27, 1e-5);
  EXPECT_EQ(c.mesh->GetGroupColor(0), 0xFFFF0000u);
  EXPECT_EQ(c.mesh->GetGroupColor(1), 0xFF0000FFu);
  ComPtr<IDirect3DRMMaterial> material;
  ASSERT_EQ(c.mesh->GetGroupMaterial(0, material.put()), D3DRM_OK);
  D3DVALUE r, g, b;
  EXPECT_EQ(material->GetSpecular(&r, &g, &b), D3DRM_OK);
  EXPECT_NEAR(r, 0.5f, 1e-3);
  std::ifstream text(folder / "Chair.x");
  const std::string x((std::istreambuf_iterator<char>(text)), std::istreambuf_iterator<char>());
  EXPECT_NE(x.find("TextureFilename {\n    \"seat.jpg\";"), std::string::npos);
}

// Reversed, every face keeps its first corner, swaps the other two and turns its normals round.
TEST(Conv3ds, ReverseTurnsEveryFaceRound) {
  TemporaryFolder plainFolder, reversedFolder;
  Converted plain, reversed;
  ASSERT_EQ(ConvertAndLoad(plainFolder, "", &plain), D3DRM_OK);
  ASSERT_EQ(ConvertAndLoad(reversedFolder, "-r ", &reversed), D3DRM_OK);
  for (D3DRMGROUPINDEX g = 0; g < 2; ++g) {
    const auto a = FirstFace(plain.mesh.get(), g), b = FirstFace(reversed.mesh.get(), g);
    EXPECT_EQ(std::memcmp(&a[0].position, &b[0].position, sizeof(D3DVECTOR)), 0) << g;
    EXPECT_EQ(std::memcmp(&a[1].position, &b[2].position, sizeof(D3DVECTOR)), 0) << g;
    EXPECT_EQ(std::memcmp(&a[2].position, &b[1].position, sizeof(D3DVECTOR)), 0) << g;
    const D3DVECTOR& n = b[0].normal;
    EXPECT_TRUE(a[0].normal.x == -n.x && a[0].normal.y == -n.y && a[0].normal.z == -n.z) << g;
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
