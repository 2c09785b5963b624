// The mesh object's record: versions 0, 1 and 2 read, 3 refused before any field, the look read
// before the file is loaded again, and a record without a mesh leaving the file alone.
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "LoadMeshTestSupport.h"
#include "TestDocument.h"
#include "platform/framework/ArchiveBackends.h"

namespace {

class LoadArchiveTest : public LoadMeshTest {
 protected:
  void SetUp() override {
    LoadMeshTest::SetUp();
    WriteFile(folder / "Chair.x", TriangleOfSize(1.0f));
  }
  Bytes Store(const Ptr<MeshSO>& mesh) {
    return StoreBytes(Backend::memory, [&](CArchive& ar) {
      ar.m_pDocument = &*doc;
      ar.MapObject(&*doc);
      ar << mesh;
    });
  }
  Ptr<MeshSO> Read(const Bytes& bytes) {
    TestDocument reading;
    Ptr<MeshSO> read;
    LoadBytes(Backend::memory, bytes, [&](CArchive& ar) {
      ar.m_pDocument = &reading;
      ar.MapObject(&reading);
      ar >> read;
    });
    return read;
  }
  // The record's own schema word: the one followed by the edit-all-copies byte and the box.
  static std::size_t SchemaAt(const Bytes& bytes, const MeshSO& mesh) {
    ByteImage pattern;
    pattern.U32(0x80000002).U8(static_cast<BYTE>(mesh.reference)).F64(mesh.box.min.x);
    const auto at = std::search(bytes.begin(), bytes.end(), pattern.bytes.begin(), pattern.bytes.end());
    EXPECT_NE(at, bytes.end());
    return static_cast<std::size_t>(at - bytes.begin());
  }
};

TEST_F(LoadArchiveTest, OlderVersionsReadWithoutTheirLaterFlagsAndANewerOneIsRefused) {
  Ptr<MeshSO> chair = Make(folder / "Chair.x", 0, 1);
  chair->reverse = 1;
  chair->quality = -2;
  chair->silhouetteColor = Color(0, 1, 0, 1);
  chair->untexMats.GetHead().shininess = 9.0;
  const Bytes stored = Store(chair);
  const std::size_t schema = SchemaAt(stored, *chair);

  Ptr<MeshSO> now = Read(stored);
  ASSERT_EQ(now->GetError(), SceneObj::none);
  EXPECT_EQ(now->reverse, 1);
  EXPECT_EQ(now->twoSided, 1);
  EXPECT_EQ(now->quality, -2);
  EXPECT_EQ(now->silhouetteColor, Color(0, 1, 0, 1)) << "the stored look, not the file's";
  EXPECT_EQ(now->untexMats.GetHead().shininess, 9.0);
  EXPECT_EQ(now->sphere.radiusSquared, now->sphere.radius * now->sphere.radius);
  EXPECT_NE(now->mesh, nullptr);

  Bytes v1 = stored;
  v1[schema] = 1;
  v1.erase(v1.end() - 2);  // no two-sided byte
  Ptr<MeshSO> one = Read(v1);
  EXPECT_EQ(one->reverse, 1);
  EXPECT_EQ(one->twoSided, 0);
  Bytes v0 = stored;
  v0[schema] = 0;
  v0.erase(v0.end() - 3, v0.end() - 1);  // neither reverse nor two-sided
  Ptr<MeshSO> zero = Read(v0);
  EXPECT_EQ(zero->reverse, 0);
  EXPECT_EQ(zero->twoSided, 0);
  EXPECT_EQ(zero->quality, -2);

  Bytes v3 = stored;
  v3[schema] = 3;
  v3.resize(schema + 4);  // nothing after the schema word is read
  TestDocument reading;
  ExpectArchiveFailure(Backend::memory, v3, CArchiveException::badSchema, [&](CArchive& ar) {
    ar.m_pDocument = &reading;
    ar.MapObject(&reading);
    Ptr<MeshSO> read;
    ar >> read;
  });
  ASSERT_FALSE(boxes.boxes.empty());
  EXPECT_NE(boxes.boxes.back().text.find("newer version"), std::string::npos);
}

TEST_F(LoadArchiveTest, ARecordWithoutAMeshLeavesTheFileAlone) {
  Ptr<MeshSO> chair = Make(folder / "Chair.x");
  chair->mesh = nullptr;
  const Bytes stored = Store(chair);
  EXPECT_EQ(stored.back(), 1);
  std::filesystem::remove(folder / "Chair.x");
  Ptr<MeshSO> read = Read(stored);
  EXPECT_EQ(read->mesh, nullptr);
  EXPECT_EQ(read->GetError(), SceneObj::none);
  EXPECT_TRUE(dialogs.requests.empty());
  // Nothing to show for an object without a mesh: looks and textures are left alone.
  read->SyncGroupMaterials(0, 0);
  read->ReloadTextures(0);
}

TEST_F(LoadArchiveTest, AFileThatStaysMissingAbandonsTheLoad) {
  const Bytes stored = Store(Make(folder / "Chair.x"));
  std::filesystem::remove(folder / "Chair.x");
  boxes.Answer({IDYES, IDOK, IDYES});  // the user gives up the loader's search and the record's
  TestDocument reading;
  bool abandoned = false;
  try {
    LoadBytes(Backend::memory, stored, [&](CArchive& ar) {
      ar.m_pDocument = &reading;
      ar.MapObject(&reading);
      Ptr<MeshSO> read;
      ar >> read;
    });
  } catch (const CUserException&) {
    abandoned = true;
  }
  EXPECT_TRUE(abandoned);
  EXPECT_EQ(dialogs.requests.size(), 2u) << "a cancelled question ends, it is not asked again and again";
}

}  // namespace
