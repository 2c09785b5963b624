// Shared instances of Chair.x, and the mesh object's record in its versions.
#include <algorithm>
#include <filesystem>

#include "LoadMeshTestSupport.h"
#include "TestDocument.h"
#include "platform/framework/ArchiveBackends.h"
#include "scene/GroupSO.h"

namespace {

using LoadChairTest = LoadMeshTest;

// The record's own schema word: the one followed by the edit-all-copies byte and the box.
std::size_t SchemaAt(const Bytes& bytes, const MeshSO& mesh) {
  ByteImage pattern;
  pattern.U32(0x80000002).U8(static_cast<BYTE>(mesh.reference)).F64(mesh.box.min.x);
  const auto at = std::search(bytes.begin(), bytes.end(), pattern.bytes.begin(), pattern.bytes.end());
  EXPECT_NE(at, bytes.end());
  return static_cast<std::size_t>(at - bytes.begin());
}

TEST_F(LoadChairTest, ASecondSharerJoinsWithoutReadingTheFileAndAFileThatStaysMissingAbandonsTheLoad) {
  const Bytes stored = StoreScene(Make(folder / "Chair.x"), &*doc);
  Ptr<MeshSO> first = Make(folder / "Chair.x", 1);
  ASSERT_EQ(first->GetError(), SceneObj::none);
  std::filesystem::remove(folder / "Chair.x");
  Ptr<MeshSO> second = Make(folder / "Chair.x", 1);
  ASSERT_EQ(second->GetError(), SceneObj::none);
  EXPECT_EQ(second->mesh, first->mesh);
  EXPECT_EQ(Listed("Chair"), 2);

  first = nullptr;
  EXPECT_EQ(Listed("Chair"), 1);
  second = nullptr;
  EXPECT_TRUE(instances.IsEmpty());

  boxes.Answer({IDYES, IDOK, IDYES});  // the user gives up the loader's search and the record's
  EXPECT_THROW(LoadScene<MeshSO>(stored), CUserException);
  EXPECT_EQ(dialogs.requests.size(), 2u) << "a cancelled question ends, it is not asked again and again";
}

TEST_F(LoadChairTest, ReloadingOneSharerGivesEverySharerTheNewMeshAndLook) {
  Ptr<MeshSO> a = Make(folder / "Chair.x", 1), b = Make(folder / "Chair.x", 1);
  IDirect3DRMMesh* old = a->mesh;
  const Color blue(0, 0, 1, 1);
  a->silhouetteColor = blue;
  a->untexMats.GetHead().shininess = 7.0;
  b->numShared = 99;
  a->Reload();
  ASSERT_EQ(a->GetError(), SceneObj::none);
  EXPECT_NE(a->mesh, old);
  EXPECT_EQ(b->mesh, a->mesh);
  EXPECT_EQ(a->mesh->GetAppData(), 0x8BADBEEFu);
  EXPECT_EQ(Listed("Chair"), 2);
  EXPECT_EQ(b->numShared, a->numShared) << "sharers' cartoon counts follow the shared arrays";
  EXPECT_EQ(a->silhouetteColor, blue);
  EXPECT_EQ(a->untexMats.GetHead().shininess, 7.0);

  // A reload that fails takes the object out of the list, so nothing dangles after it goes.
  std::filesystem::remove(folder / "Chair.x");
  boxes.Answer({IDYES});
  a->Reload();
  EXPECT_EQ(a->GetError(), SceneObj::fileNotFound);
  EXPECT_EQ(Listed("Chair"), 1);
  a = nullptr;
  b = nullptr;
  EXPECT_TRUE(instances.IsEmpty());
}

TEST_F(LoadChairTest, CopiesShareOrCloneAndRenamingAndSwitchingSharingMoveObjectsBetweenLists) {
  Ptr<GroupSO> group = new GroupSO;
  Ptr<MeshSO> a = Make(folder / "Chair.x", 1, 1), b = Make(folder / "Chair.x", 1, 1);
  a->reverse = 1;
  Ptr<MeshSO> own = static_cast<MeshSO*>(&*a->Copy(nullptr, 1));
  EXPECT_NE(own->mesh, a->mesh);
  EXPECT_EQ(own->reverse, 1);
  EXPECT_EQ(own->twoSided, 1);
  EXPECT_EQ(Listed("Chair"), 2) << "a clone is not listed";
  EXPECT_TRUE(own->IsSameAs(*a));
  own->quality = 3;
  EXPECT_FALSE(own->IsSameAs(*a));
  Ptr<MeshSO> shared = static_cast<MeshSO*>(&*a->Copy(nullptr, 0));
  EXPECT_EQ(shared->mesh, a->mesh);
  EXPECT_EQ(Listed("Chair"), 3);
  shared = nullptr;

  group->AddVisual(b);
  a->SetName("Seat");
  EXPECT_EQ(b->GetName(), CString("Seat")) << "all sharers change name together";
  EXPECT_EQ(Listed("Seat"), 2);
  EXPECT_EQ(Listed("Chair"), 0);

  b->SetEditAllCopies(0, group);
  EXPECT_NE(b->mesh, a->mesh) << "a private clone";
  EXPECT_EQ(b->mesh->GetAppData(), reinterpret_cast<DWORD_PTR>(&*b));
  EXPECT_EQ(Listed("Seat"), 1);
  b->SetEditAllCopies(1, group);
  EXPECT_EQ(b->mesh, a->mesh);
  EXPECT_EQ(Listed("Seat"), 2);
  EXPECT_EQ(MeshSO::LookupInstance("Seat"), a);
  group->RemoveVisual(b);
}

TEST_F(LoadChairTest, OlderVersionsReadWithoutTheirLaterFlagsAndANewerOneIsRefused) {
  Ptr<MeshSO> chair = Make(folder / "Chair.x", 0, 1);
  chair->reverse = 1;
  chair->quality = -2;
  chair->silhouetteColor = Color(0, 1, 0, 1);
  chair->untexMats.GetHead().shininess = 9.0;
  const Bytes stored = StoreScene(chair, &*doc);
  const std::size_t schema = SchemaAt(stored, *chair);

  Ptr<MeshSO> now = LoadScene<MeshSO>(stored);
  ASSERT_EQ(now->GetError(), SceneObj::none);
  EXPECT_EQ(now->reverse, 1);
  EXPECT_EQ(now->twoSided, 1);
  EXPECT_EQ(now->quality, -2);
  EXPECT_EQ(now->silhouetteColor, Color(0, 1, 0, 1)) << "the stored look, not the file's";
  EXPECT_EQ(now->untexMats.GetHead().shininess, 9.0);
  EXPECT_EQ(now->sphere.radiusSquared, now->sphere.radius * now->sphere.radius);

  Bytes v1 = stored;
  v1[schema] = 1;
  v1.erase(v1.end() - 2);  // no two-sided byte
  Ptr<MeshSO> one = LoadScene<MeshSO>(v1);
  EXPECT_EQ(one->reverse, 1);
  EXPECT_EQ(one->twoSided, 0);
  Bytes v0 = stored;
  v0[schema] = 0;
  v0.erase(v0.end() - 3, v0.end() - 1);  // neither reverse nor two-sided
  Ptr<MeshSO> zero = LoadScene<MeshSO>(v0);
  EXPECT_EQ(zero->reverse, 0);
  EXPECT_EQ(zero->twoSided, 0);
  EXPECT_EQ(zero->quality, -2);

  Bytes v3 = stored;
  v3[schema] = 3;
  v3.resize(schema + 4);  // nothing after the schema word is read
  Ptr<MeshSO> three;
  ExpectArchiveFailure(Backend::memory, v3, CArchiveException::badSchema,
                       [&](CArchive& ar) { ReadScene(ar, three, &*doc); });
  ASSERT_FALSE(boxes.boxes.empty());
  EXPECT_NE(boxes.boxes.back().text.find("newer version"), std::string::npos);
}

}  // namespace
