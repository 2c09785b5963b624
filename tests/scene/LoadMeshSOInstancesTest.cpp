// Shared instances: joining without reading the file, exact names, reloading through one sharer,
// failed loads leaving no entry behind, renaming, switching sharing and copying.
#include <filesystem>

#include "LoadMeshTestSupport.h"
#include "scene/GroupSO.h"
#include "scene/InstanceMap.h"

namespace {

class LoadInstancesTest : public LoadMeshTest {
 protected:
  void SetUp() override {
    LoadMeshTest::SetUp();
    WriteFile(folder / "Chair.x", TriangleOfSize(1.0f));
  }
  static int Listed(const char* name) { return instances.Find(name) ? instances.Find(name)->GetCount() : 0; }
};

TEST_F(LoadInstancesTest, ASecondSharerJoinsWithoutReadingTheFileAndNamesAreExact) {
  Ptr<MeshSO> first = Make(folder / "Chair.x", 1);
  ASSERT_EQ(first->GetError(), SceneObj::none);
  std::filesystem::remove(folder / "Chair.x");
  Ptr<MeshSO> second = Make(folder / "Chair.x", 1);
  ASSERT_EQ(second->GetError(), SceneObj::none);
  EXPECT_EQ(second->mesh, first->mesh);
  EXPECT_EQ(first->mesh->GetAppData(), 0x8BADBEEFu);
  EXPECT_EQ(Listed("Chair"), 2);
  EXPECT_TRUE(second->IsSameAs(*first));
  // A pick through the second takes the triangles the first built for the shared mesh.
  const Vector inside((first->box.min.x + first->box.max.x) / 2, (first->box.min.y + first->box.max.y) / 2,
                      (first->box.min.z + first->box.max.z) / 2);
  double t = 0;
  Vector at;
  D3DRMPICKDESC desc{};
  for (MeshSO* m : {&*first, &*second}) m->Intersect(inside, Vector(0, 0, 1), t, at, desc);
  EXPECT_EQ(&first->pickTriangles.For(first->mesh, *first->faceNormals),
            &second->pickTriangles.For(second->mesh, *second->faceNormals));

  boxes.Answer({IDYES});  // "chair" is another name: it reads the (missing) file
  Ptr<MeshSO> lower = Make(folder / "Chair.x", 1, 0, "chair");
  EXPECT_EQ(lower->GetError(), SceneObj::fileNotFound);
  EXPECT_EQ(Listed("chair"), 0);
  first = nullptr;
  EXPECT_EQ(Listed("Chair"), 1);
  second = nullptr;
  EXPECT_TRUE(instances.IsEmpty());
}

TEST_F(LoadInstancesTest, ReloadingOneSharerGivesEverySharerTheNewMeshAndLook) {
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

TEST_F(LoadInstancesTest, RenamingAndSwitchingSharingMoveObjectsBetweenLists) {
  Ptr<GroupSO> group = new GroupSO;
  Ptr<MeshSO> a = Make(folder / "Chair.x", 1), b = Make(folder / "Chair.x", 1);
  group->AddVisual(b);
  a->SetName("Seat");
  EXPECT_EQ(b->GetName(), CString("Seat")) << "all sharers change name together";
  EXPECT_EQ(Listed("Seat"), 2);
  EXPECT_EQ(Listed("Chair"), 0);

  b->SetEditAllCopies(0, group);
  EXPECT_EQ(b->reference, 0);
  EXPECT_NE(b->mesh, a->mesh) << "a private clone";
  EXPECT_EQ(b->mesh->GetAppData(), reinterpret_cast<DWORD_PTR>(&*b));
  EXPECT_EQ(Listed("Seat"), 1);
  b->SetEditAllCopies(1, group);
  EXPECT_EQ(b->mesh, a->mesh);
  EXPECT_EQ(Listed("Seat"), 2);
  EXPECT_EQ(MeshSO::LookupInstance("Seat"), a);
  EXPECT_EQ(MeshSO::LookupInstance("Chair"), nullptr);
  group->RemoveVisual(b);
}

TEST_F(LoadInstancesTest, CopiesShareOrCloneAndKeepTheLoadFlags) {
  Ptr<MeshSO> a = Make(folder / "Chair.x", 1, 1);
  a->reverse = 1;
  Ptr<MeshSO> shared = static_cast<MeshSO*>(&*a->Copy(nullptr, 0));
  EXPECT_EQ(shared->mesh, a->mesh);
  EXPECT_EQ(Listed("Chair"), 2);
  Ptr<MeshSO> own = static_cast<MeshSO*>(&*a->Copy(nullptr, 1));
  EXPECT_EQ(own->reference, 0);
  EXPECT_NE(own->mesh, a->mesh);
  EXPECT_EQ(own->reverse, 1);
  EXPECT_EQ(own->twoSided, 1);
  EXPECT_EQ(Listed("Chair"), 2);
  EXPECT_TRUE(own->IsSameAs(*a));
  own->quality = 3;
  EXPECT_FALSE(own->IsSameAs(*a));
}

}  // namespace
