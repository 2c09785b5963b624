// Mesh loading: program and objects folders, Chair.x, the textured two.x, messages, preferences.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SceneTestSupport.h"
#include "core/Globals.h"
#include "platform/ddraw/Display.h"
#include "ObjectFileWriter.h"
#include "Thumbnail.h"
#include "scene/InstanceMap.h"
#include "scene/MeshSO.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"

// An object file as the objects kit writes it (version 3, a blank thumbnail), then `x`.
inline std::vector<std::uint8_t> ObjectFileOf(const objects::ObjectHeader& header,
                                              const std::vector<objects::PartRecord>& parts, const std::string& x) {
  const std::vector<std::uint8_t> thumbnail(objects::kThumbnailStride * objects::kThumbnailSide);
  return objects::ObjectFileBytes(header, parts, thumbnail, x);
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A triangle whose box has half-diagonal r (corners (0,0,0), (1.2r,0,0), (0,1.6r,0)).
inline std::string TriangleOfSize(float r) {
  return "xof 0302txt 0032\nMesh { 3; 0;0;0;, " + std::to_string(1.2f * r) + ";0;0;, 0;" +
         std::to_string(1.6f * r) + ";0;; 1; 3;0,1,2;; }\n";
}

class LoadMeshTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ASSERT_TRUE(DDSetDisplayMode(32, 64, 48));
    ASSERT_EQ(DirectDrawCreate(nullptr, &app.lpDD, nullptr), DD_OK);
    app.programPath = (folder / "program/tavrolin").c_str();
    std::filesystem::create_directories(folder / "program");
    std::filesystem::create_directories(folder / "Objects");
    Bias(0);
    WriteFile(folder / "Chair.x", TriangleOfSize(1.0f));
    // two.x: a square of two triangles, each with its own texture (a.bmp, b.bmp, one pixel each).
    const std::string bmp =
        std::string("BM\x3A\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0", 30) +
        std::string(24, '\0') + std::string("\xFF\x00\x00\x00", 4);
    WriteFile(folder / "a.bmp", bmp);
    WriteFile(folder / "b.bmp", bmp);
    const std::string materials =
        "MeshTextureCoords { 4; 0;0;, 1;0;, 0;1;, 1;1;; }\n"
        "MeshMaterialList { 2; 2; 0, 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"a.bmp\"; } }\n"
        "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"b.bmp\"; } } }\n";
    const std::string mesh = "xof 0302txt 0032\nMesh { 4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;; 2; 3;0,1,2;, 3;1,3,2;;\n";
    WriteFile(folder / "two.x", mesh + materials + "}\n");
  }
  void Bias(long bias) {
    profile->WriteProfileString("Interactive", "ObjectQualityBias", std::to_string(bias));
    InitGlobals();
  }
  Ptr<MeshSO> Make(const std::string& file, BOOL shared = 0, BOOL twoSided = 0, const char* name = nullptr) {
    return new MeshSO(file.c_str(), shared, name, 0, twoSided);
  }

  static int Listed(const char* name) { return instances.Find(name) ? instances.Find(name)->GetCount() : 0; }

  ScopedMemoryProfile profile;
  ScriptedMessageBoxes boxes;
  ScriptedFileDialogs dialogs;  // the user finds no missing file
  TemporaryFolder folder;
};

