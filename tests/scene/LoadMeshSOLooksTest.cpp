// Quality and artistic looks, part looks merged by name and shared, and texture reloading.
#include <filesystem>

#include "LoadMeshTestSupport.h"
#include "scene/InstanceMap.h"

namespace {

class LoadLooksTest : public LoadMeshTest {
 protected:
  void SetUp() override {
    LoadMeshTest::SetUp();
    WriteTexturedSquare(folder);
  }
  static bool Textured(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
    IDirect3DRMTexture* texture = nullptr;
    EXPECT_EQ(mesh->GetGroupTexture(group, &texture), D3DRM_OK);
    if (texture) texture->Release();
    return texture != nullptr;
  }
  static Material Named(const char* name, double shininess) {
    Material m;
    m.name = name;
    m.shininess = shininess;
    return m;
  }
};

TEST_F(LoadLooksTest, QualityActsOnlyOnObjectsThatHaveOne) {
  Ptr<MeshSO> m = Make(folder / "two.x");
  m->SetQuality(2);
  EXPECT_EQ(m->quality, 0) << "no quality of its own: nothing happens";
  m->quality = 1;
  m->SetQuality(3);
  EXPECT_EQ(m->quality, 3);
  EXPECT_TRUE(Textured(m->mesh, 0) && Textured(m->mesh, 1)) << "textures loaded again";
  m->SetQuality(0);
  EXPECT_EQ(m->quality, 0);
}

TEST_F(LoadLooksTest, ArtisticChangesStoreApplyOrReloadAsNeeded) {
  Ptr<MeshSO> a = Make(folder / "two.x", 1), b = Make(folder / "two.x", 1);
  const Color red(1, 0, 0, 1);
  a->SetArtistic(1, 0, 3, 1, red, 2, red, 1);
  EXPECT_EQ(b->silhouetteColor, red) << "stored in every sharer";
  EXPECT_EQ(b->silhouetteWidth, 2u);
  EXPECT_EQ(b->cartoon, 1);

  // Solid color: the textures go without reading the file, the solid part looks come.
  IDirect3DRMMesh* before = a->mesh;
  a->SetArtistic(0, 0, 3, 1, red, 2, red, 1);
  EXPECT_EQ(a->mesh, before);
  EXPECT_FALSE(Textured(a->mesh, 0) || Textured(a->mesh, 1));
  // A brush alone while Solid color is shown changes nothing, itself included.
  a->SetArtistic(0, 2, 9, 1, red, 2, red, 1);
  EXPECT_EQ(a->brushSize, 3);
  EXPECT_EQ(a->style, 0);
  // Textures on again: read from the file, shown by both sharers.
  a->SetArtistic(1, 0, 3, 1, red, 2, red, 1);
  EXPECT_NE(a->mesh, before);
  EXPECT_EQ(b->mesh, a->mesh);
  EXPECT_TRUE(Textured(a->mesh, 0));
  EXPECT_EQ(a->silhouetteColor, red) << "a reload keeps the user's lines";
}

TEST_F(LoadLooksTest, PartLooksMergeByNameAndReachEverySharer) {
  Ptr<MeshSO> a = Make(folder / "two.x", 1), b = Make(folder / "two.x", 1);
  XList<Material> given;
  given.AddTail(Named("unknown", 1.0));
  given.AddTail(Named("0", 2.0));
  given.AddTail(Named("0", 5.0));
  a->SetUntexMats(given, 1);
  ASSERT_EQ(a->untexMats.GetCount(), 1);
  EXPECT_EQ(a->untexMats.GetHead().shininess, 5.0) << "the later of two same-named looks wins";
  EXPECT_TRUE(MeshSO::SameMaterials(b->untexMats, a->untexMats));
  XList<Material> copy;
  a->GetUntexMats(copy);
  EXPECT_TRUE(MeshSO::SameMaterials(copy, a->untexMats));
  copy.GetHead().shininess = 6.0;
  EXPECT_EQ(a->untexMats.GetHead().shininess, 5.0) << "a copy, not the object's own";

  Ptr<MeshSO> empty = new MeshSO;
  empty->SetTexMats(given, 0);
  EXPECT_EQ(empty->texMats.GetCount(), 3) << "an empty list takes the given one whole";
}

TEST_F(LoadLooksTest, AMissingTextureShowsOneMessageAndLeavesTheOtherGroups) {
  Ptr<MeshSO> m = Make(folder / "two.x");
  m->quality = 1;
  std::filesystem::remove(folder / "b.bmp");
  boxes.Answer({IDYES});  // the user gives up the search for b.bmp
  m->ReloadTextures(0);
  EXPECT_TRUE(Textured(m->mesh, 0) != Textured(m->mesh, 1));
  int notFound = 0;
  for (const auto& box : boxes.boxes) notFound += box.text.find("Texture file was not found") != std::string::npos;
  EXPECT_EQ(notFound, 1);
}

}  // namespace
