// Loading mesh objects: sizes, faces, parts, object files, missing files, the converter, looks.
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "LoadMeshTestSupport.h"
#include "scene/MeshGeometry.h"
#include "scene/ObjectFile.h"
#include "tools/ThreeDsWriter.h"

namespace {

MeshGroupData GroupOf(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  MeshGroupData data;
  ReadMeshGroup(mesh, group, data, kCartoonBuildReadTexts);
  return data;
}

TEST_F(LoadMeshTest, SizesComeIntoRangeZeroAreaFacesGoAndTwoSidedObjectsGetReversedBackFaces) {
  const struct {
    float r;
    double scale;
  } cases[] = {{10.0f, 0.5}, {5.0f, 1.0}, {1.0f, 1.0}, {0.01905f, 2.0}};
  for (const auto& c : cases) {
    WriteFile(folder / "t.x", TriangleOfSize(c.r));
    Ptr<MeshSO> m = Make(folder / "t.x");
    ASSERT_EQ(m->GetError(), SceneObj::none) << c.r;
    EXPECT_NEAR(m->box.max.x, 1.2 * c.r * c.scale, 1e-6 * c.r) << c.r;
    EXPECT_EQ(m->cartoon, 1) << "no textures: cartoon lines";
    EXPECT_EQ(m->texturesOn, 0);
  }
  // All corners at one point: no size, no scaling, no infinities.
  WriteFile(folder / "p.x", "xof 0302txt 0032\nMesh { 3; 1;1;1;, 1;1;1;, 1;1;1;; 1; 3;0,1,2;; }\n");
  Ptr<MeshSO> point = Make(folder / "p.x");
  ASSERT_EQ(point->GetError(), SceneObj::none);
  EXPECT_EQ(point->box.max.x, 1.0);

  const auto bytes = ObjectFileOf({}, {{"Seat"}}, TriangleOfSize(10.0f));
  WriteFile(folder / "big.ulm", std::string(bytes.begin(), bytes.end()));
  Ptr<MeshSO> big = Make(folder / "big.ulm");
  ASSERT_EQ(big->GetError(), SceneObj::none);
  EXPECT_NEAR(big->box.max.x, 12.0, 1e-5);

  // The second face repeats a corner; every normal points to -x.
  WriteFile(folder / "q.x", "xof 0302txt 0032\nMesh { 4; 0;0;0;, 2;0;0;, 0;2;0;, 2;2;0;;\n"
                            "3; 3;0,1,2;, 3;0,1,1;, 3;1,3,2;;\n"
                            "MeshNormals { 1; -1;0;0;; 3; 3;0,0,0;, 3;0,0,0;, 3;0,0,0;; } }\n");
  Ptr<MeshSO> one = Make(folder / "q.x");
  ASSERT_EQ(one->GetError(), SceneObj::none);
  EXPECT_EQ(GroupOf(one->mesh, 0).faces, (std::vector<unsigned>{0, 1, 2, 1, 3, 2}));
  Ptr<MeshSO> two = Make(folder / "q.x", 0, 1);
  ASSERT_EQ(two->GetError(), SceneObj::none);
  EXPECT_EQ(GroupOf(two->mesh, 0).faces, (std::vector<unsigned>{0, 1, 2, 1, 3, 2, 5, 4, 6, 7, 5, 6}));
  const auto v = GroupOf(two->mesh, 0).vertices;
  ASSERT_EQ(v.size(), 8u);
  EXPECT_EQ(v[5].position.x, 2.0f + 2.0f * 1.1920929e-06f);
  EXPECT_EQ(v[5].normal.x, 1.0f);
  EXPECT_EQ(v[4].position.x, 0.0f);
  EXPECT_EQ(v[7].position.y, 2.0f - 2.0f * 1.1920929e-06f) << "the negated normal's y is not above 0";
}

// Corners so far out that single precision overflows in the face test. When the cross product's
// length comes out as no number, the face counts as having no area and goes; when it comes out
// infinite, the face stays. An object file keeps its size, so the corners reach the test as stored.
TEST_F(LoadMeshTest, AFaceWhoseAreaIsNotANumberIsDroppedAndAnInfiniteOneStays) {
  const auto bytes = ObjectFileOf({}, {{"Seat"}},
                                  "xof 0302txt 0032\nMesh { 7; 0;0;0;, 1;0;0;, 0;1;0;, 3e19;3e19;3e19;, "
                                  "3e19;3e19;3e19;, 3e19;0;0;, 0;3e19;0;;\n"
                                  "3; 3;0,1,2;, 3;0,3,4;, 3;0,5,6;; }\n");
  WriteFile(folder / "far.ulm", std::string(bytes.begin(), bytes.end()));
  Ptr<MeshSO> far = Make(folder / "far.ulm");
  ASSERT_EQ(far->GetError(), SceneObj::none);
  EXPECT_EQ(GroupOf(far->mesh, 0).faces, (std::vector<unsigned>{0, 1, 2, 0, 4, 5}));
}

TEST_F(LoadMeshTest, GroupsOfEqualLooksFormOnePartNamedZero) {
  // Two textures make two groups; their looks read from the mesh are equal.
  Ptr<MeshSO> m = Make(folder / "two.x");
  ASSERT_EQ(m->GetError(), SceneObj::none);
  ASSERT_EQ(m->mesh->GetGroupCount(), 2u);
  EXPECT_EQ(m->texturesOn, 1);
  EXPECT_EQ(m->cartoon, 0) << "textured .x objects start without lines";
  ASSERT_EQ(m->groupMats.GetCount(), 1);
  EXPECT_EQ(m->groupMats.GetHead().GetCount(), 2);
  EXPECT_EQ(m->groupMats.GetHead().GetHead(), 1u) << "counted from the last group";
  ASSERT_EQ(m->texMats.GetCount(), 1);
  EXPECT_EQ(m->texMats.GetHead().name, CString("0"));
}

TEST_F(LoadMeshTest, ObjectFilesGiveTheirLookAndNamesAndAreRefusedWhenDamaged) {
  const objects::ObjectHeader look{-1, true, {255, 0, 0}, true};
  auto bytes = ObjectFileOf(look, {{"Seat", false}}, TriangleOfSize(1.0f));
  WriteFile(folder / "Chair.ulm", std::string(bytes.begin(), bytes.end()));
  Ptr<MeshSO> chair = Make(folder / "Chair.ulm", 1);
  ASSERT_EQ(chair->GetError(), SceneObj::none);
  EXPECT_EQ(chair->GetName(), CString("Chair"));
  EXPECT_EQ(chair->quality, -1);
  EXPECT_EQ(chair->surfaceColor, Color(1.0, 0.0, 0.0, 1.0));
  EXPECT_EQ(chair->untexMats.GetHead().name, CString("Seat"));
  EXPECT_EQ(chair->untexMats.GetHead().lighting, 0);
  EXPECT_EQ(chair->texMats.GetHead().lighting, 1);

  // Two names for one part: the message, a damaged file, and not listed.
  bytes = ObjectFileOf(look, {{"Seat"}, {"Back"}}, TriangleOfSize(1.0f));
  WriteFile(folder / "Stool.ulm", std::string(bytes.begin(), bytes.end()));
  Ptr<MeshSO> stool = Make(folder / "Stool.ulm", 1);
  EXPECT_EQ(stool->GetError(), SceneObj::damagedFile);
  ASSERT_FALSE(boxes.boxes.empty());
  EXPECT_NE(boxes.boxes.back().text.find("incorrect number of material names"), std::string::npos);
  EXPECT_EQ(instances.Find("Stool"), nullptr);

  // A .x file shorter than the notice is still a .x file.
  const std::string tiny = "xof 0302txt 0032 Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }";
  ASSERT_LT(tiny.size(), kObjectFileNoticeSize);
  WriteFile(folder / "tiny.x", tiny);
  EXPECT_EQ(Make(folder / "tiny.x")->GetError(), SceneObj::none);
}

TEST_F(LoadMeshTest, AMissingFileIsFoundInASubFolderOfTheObjectsFolder) {
  std::filesystem::remove(folder / "Chair.x");  // the folder above the objects folder comes first
  WriteFile(folder / "Objects/Chairs/Chair.x", TriangleOfSize(1.0f));
  WriteFile(folder / "Objects/Apples/Other.x", TriangleOfSize(1.0f));
  for (const char* stored : {"C:\\Art\\Chair.x", "C:\\Art\\CHAIR.X", "/gone/chair.x"}) {
    Ptr<MeshSO> m = Make(stored);
    ASSERT_EQ(m->GetError(), SceneObj::none) << stored;
    EXPECT_EQ(std::filesystem::path(std::string(m->GetFile())), folder / "program/../Objects/Chairs/Chair.x");
  }
  EXPECT_TRUE(dialogs.requests.empty()) << "found without asking";
  boxes.Answer({IDYES});  // the user gives up the search
  EXPECT_EQ(Make("C:\\Art\\Table.x")->GetError(), SceneObj::fileNotFound);
  EXPECT_EQ(dialogs.requests.size(), 1u);
}

// The objects folder lists itself and the folder above it before its sub-folders, so a missing
// file is found there too, after the objects folder's own and before a sub-folder's. The search
// goes one level only: nothing below the folder above or below a sub-folder is searched.
TEST_F(LoadMeshTest, AMissingFileIsFoundInTheFolderAboveTheObjectsFolderButNoDeeper) {
  const std::string above = folder.Path(), objects = folder / "program/../Objects";
  boxes.Answer({IDYES});  // the user gives up any search asked for
  WriteFile(above + "/Stool.x", TriangleOfSize(1.0f));
  WriteFile(above + "/Lamp.x", TriangleOfSize(1.0f));
  WriteFile(folder / "Objects/Lamps/Lamp.x", TriangleOfSize(1.0f));
  WriteFile(above + "/Desk.x", TriangleOfSize(1.0f));
  WriteFile(folder / "Objects/Desk.x", TriangleOfSize(1.0f));
  const struct {
    const char* stored;
    std::string found;
  } cases[] = {{"C:\\Art\\Stool.x", objects + "/../Stool.x"},
               {"/gone/lamp.x", objects + "/../Lamp.x"},
               {"C:\\Art\\Desk.x", objects + "/Desk.x"}};
  for (const auto& c : cases) {
    Ptr<MeshSO> m = Make(c.stored);
    ASSERT_EQ(m->GetError(), SceneObj::none) << c.stored;
    EXPECT_EQ(std::filesystem::path(std::string(m->GetFile())), std::filesystem::path(c.found)) << c.stored;
  }
  EXPECT_TRUE(dialogs.requests.empty()) << "found without asking";

  // Beside the program (under the folder above) and two levels down: not found.
  WriteFile(folder / "program/Bench.x", TriangleOfSize(1.0f));
  WriteFile(folder / "Objects/Lamps/Old/Bench.x", TriangleOfSize(1.0f));
  EXPECT_EQ(Make("C:\\Art\\Bench.x")->GetError(), SceneObj::fileNotFound);
  EXPECT_EQ(dialogs.requests.size(), 1u);
}

TEST_F(LoadMeshTest, ThreeDsFilesGoThroughTheConverterInAPrivateFolder) {
  std::filesystem::copy_file(std::string(TAVROLIN_BIN_DIR) + "/conv3ds", folder / "program/conv3ds");
  ASSERT_TRUE(WriteThreeDs(folder / "Chair.3DS",
                           {{{{0, 0, 0}, {100, 0, 0}, {100, 50, 0}, {0, 50, 0}}, {1, 0, 0}, {0, 0, 0}, ""},
                            {{{0, 0, 20}, {0, 50, 20}, {100, 50, 20}, {100, 0, 20}}, {0, 0, 1}, {0, 0, 0}, ""}}));
  Ptr<MeshSO> chair = Make(folder / "Chair.3DS");
  ASSERT_EQ(chair->GetError(), SceneObj::none);
  EXPECT_EQ(std::string(chair->GetFile()), folder / "Chair.3DS");
  EXPECT_NEAR(chair->box.max.x, 2.54, 1e-5) << "the converted mesh, its content the converter's own tests pin";

  // The command line, a failing converter and a missing one, through a scripted launcher.
  ScriptedProcesses processes;
  processes.exitCode = 1;
  Ptr<MeshSO> reversed = new MeshSO((folder / "Chair.3DS").c_str(), 0, nullptr, 1, 0);
  EXPECT_EQ(reversed->GetError(), SceneObj::damagedFile);
  ASSERT_EQ(processes.started.size(), 1u);
  const std::string line = processes.started[0].commandLine;
  EXPECT_EQ(line.rfind("\"" + (folder / "program/conv3ds.exe") + "\" -r -t -c -m -s0.0254 -o \"", 0), 0u) << line;
  EXPECT_NE(line.find("/Chair.x\" \"" + (folder / "Chair.3DS") + "\""), std::string::npos) << line;
  const std::string converted = line.substr(line.find("-o \"") + 4, line.find("\" \"", line.find("-o")) - line.find("-o \"") - 4);
  EXPECT_EQ(std::filesystem::path(converted).parent_path().parent_path(), std::filesystem::temp_directory_path());
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(converted).parent_path())) << "the private folder goes";
  processes.failures = 1;
  EXPECT_EQ(Make(folder / "Chair.3DS")->GetError(), SceneObj::converterNotStarted);
  EXPECT_NE(boxes.boxes.back().text.find("conv3ds.exe file was not found"), std::string::npos);
}

using LoadLooksTest = LoadMeshTest;

bool Textured(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  IDirect3DRMTexture* texture = nullptr;
  EXPECT_EQ(mesh->GetGroupTexture(group, &texture), D3DRM_OK);
  if (texture) texture->Release();
  return texture != nullptr;
}

Material Named(const char* name, double shininess) {
  Material m;
  m.name = name;
  m.shininess = shininess;
  return m;
}

TEST_F(LoadLooksTest, ArtisticChangesStoreApplyOrReloadAndPartLooksMergeByNameForEverySharer) {
  Ptr<MeshSO> a = Make(folder / "two.x", 1), b = Make(folder / "two.x", 1);
  const Color red(1, 0, 0, 1);
  a->SetArtistic(1, 0, 3, 1, red, 2, red, 1);
  EXPECT_EQ(b->silhouetteColor, red) << "stored in every sharer";

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

  XList<Material> given;
  given.AddTail(Named("unknown", 1.0));
  given.AddTail(Named("0", 2.0));
  given.AddTail(Named("0", 5.0));
  a->SetUntexMats(given, 1);
  ASSERT_EQ(a->untexMats.GetCount(), 1);
  EXPECT_EQ(a->untexMats.GetHead().shininess, 5.0) << "the later of two same-named looks wins";
  EXPECT_TRUE(MeshSO::SameMaterials(b->untexMats, a->untexMats));

  Ptr<MeshSO> empty = new MeshSO;
  empty->SetTexMats(given, 0);
  EXPECT_EQ(empty->texMats.GetCount(), 3) << "an empty list takes the given one whole";
}

TEST_F(LoadLooksTest, ALookChangeWhoseFileCannotBeReadLeavesTheObjectsAsTheyWereToSaveAndDelete) {
  Ptr<MeshSO> a = Make(folder / "two.x", 1), b = Make(folder / "two.x", 1);
  const Color red(1, 0, 0, 1);
  a->SetArtistic(0, 0, 3, 0, red, 2, red, 1);  // Solid color: the file is not read
  IDirect3DRMMesh* shown = a->mesh;
  const std::string file = a->GetFile().str();
  const auto texturesOnFails = [&] {
    a->SetArtistic(1, 0, 3, 1, red, 2, red, 1);
    EXPECT_EQ(a->GetError(), SceneObj::none);
    EXPECT_EQ(a->GetFile().str(), file);
    EXPECT_EQ(a->mesh, shown);
      EXPECT_EQ(a->texturesOn + b->texturesOn + a->cartoon + b->cartoon, 0);
    EXPECT_EQ(Listed("two"), 2);
  };
  WriteFile(folder / "two.x", "xof 0302txt 0032\nMesh {");
  texturesOnFails();
  std::filesystem::remove(folder / "two.x");
  boxes.Answer({IDYES, IDOK, IDYES, IDOK});  // the user gives up the search, twice
  texturesOnFails();
  EXPECT_NE(boxes.boxes.front().text.find("damaged"), std::string::npos);
  Ptr<GroupSO> group = new GroupSO;
  group->AddVisual(a);
  EXPECT_FALSE(StoreScene(group, &*doc).empty());
  group = nullptr;
  a = nullptr;
  b = nullptr;
  EXPECT_TRUE(instances.IsEmpty());
}

// A rebuild whose object file names more parts than its mesh has: the objects sharing the mesh
// keep showing and outlining the one they had.
TEST_F(LoadLooksTest, ALookChangeWhoseFileNamesTooManyPartsLeavesTheSharersFramesAndOutlines) {
  std::ifstream in(folder / "two.x");
  const std::string x{std::istreambuf_iterator<char>(in), {}};
  const auto write = [&](const std::vector<objects::PartRecord>& parts, const std::string& mesh) {
    const auto bytes = ObjectFileOf({}, parts, mesh);
    WriteFile(folder / "Pair.ulm", std::string(bytes.begin(), bytes.end()));
  };
  write({{"Seat"}}, x);
  Ptr<MeshSO> a = Make(folder / "Pair.ulm", 1), b = Make(folder / "Pair.ulm", 1);
  Ptr<GroupSO> first = new GroupSO, second = new GroupSO;
  first->AddVisual(a);
  second->AddVisual(b);
  const Color red(1, 0, 0, 1);
  a->SetArtistic(0, 0, 3, 1, red, 2, red, 1);  // Solid color: the file is not read
  IDirect3DRMMesh* shown = a->mesh;
  const std::vector<D3DVECTOR> normals = b->faceNormals->vectors;
  write({{"Seat"}, {"Back"}}, TriangleOfSize(1.0f));  // one part, another outline
  a->SetArtistic(1, 0, 3, 1, red, 2, red, 1);
  ASSERT_FALSE(boxes.boxes.empty());
  EXPECT_NE(boxes.boxes.front().text.find("incorrect number of material names"), std::string::npos);
  for (const Ptr<GroupSO>& group : {first, second}) {
    IDirect3DRMVisualArray* visuals = nullptr;
    ASSERT_EQ(group->GetD3DRMFrame()->GetVisuals(&visuals), D3DRM_OK);
    EXPECT_EQ(ElementsOf(visuals), std::vector<IDirect3DRMVisual*>{shown});
  }
  EXPECT_EQ(a->mesh, shown);
  EXPECT_EQ(b->faceNormals->vectors.size(), normals.size());
  EXPECT_EQ(a->texMats.GetHead().name, CString("Seat"));
  first->RemoveVisual(a);
  second->RemoveVisual(b);
}

TEST_F(LoadLooksTest, QualityActsOnlyOnObjectsThatHaveOneFollowingTheBiasAndTextureProblemsAreToldOnce) {
  Ptr<MeshSO> m = Make(folder / "two.x");
  m->SetQuality(2);
  EXPECT_EQ(m->quality, 0) << "no quality of its own: nothing happens";
  m->quality = 1;
  m->SetQuality(3);
  EXPECT_EQ(m->quality, 3);
  EXPECT_TRUE(Textured(m->mesh, 0) && Textured(m->mesh, 1)) << "textures loaded again";

  // A texture whose search the user gives up leaves its part untextured, and the others as they
  // were, after one message about the file; so does a damaged one.
  std::filesystem::remove(folder / "b.bmp");
  boxes.Answer({IDYES});  // the user gives up the search for b.bmp
  m->ReloadTextures(0);
  EXPECT_TRUE(Textured(m->mesh, 0) && !Textured(m->mesh, 1));
  ASSERT_EQ(boxes.boxes.size(), 4u);  // are you sure, the operation is cancelled, not found, the object's
  EXPECT_EQ(boxes.boxes[2].text.rfind("Texture file not found.\n\n" + (folder / "b.bmp"), 0), 0u);
  WriteFile(folder / "a.bmp", "BM damaged");
  m->ReloadTextures(0);
  EXPECT_TRUE(!Textured(m->mesh, 0) && !Textured(m->mesh, 1));
  ASSERT_EQ(boxes.boxes.size(), 7u);  // libjpeg's reading of it, not loaded, the object's
  EXPECT_EQ(boxes.boxes[5].text.rfind("Texture file not loaded.", 0), 0u);

  // The bias adds to a quality of its own; a change of sign skips 0.
  const Ptr<MeshSO> blank = new MeshSO;
  const auto effective = [&](LONG q) {
    blank->quality = q;
    return blank->GetEffectiveQuality();
  };
  Bias(-2);
  EXPECT_EQ(effective(0), 0);
  EXPECT_EQ(effective(2), 0);
  EXPECT_EQ(effective(1), -2);
  EXPECT_EQ(effective(3), 1);
  // A file's quality at either end of its range keeps its sign.
  constexpr LONG kLeast = std::numeric_limits<LONG>::min(), kMost = std::numeric_limits<LONG>::max();
  EXPECT_EQ(effective(kLeast), kLeast + 1);
  EXPECT_EQ(effective(kLeast + 1), kLeast + 1);
  Bias(2);
  EXPECT_EQ(effective(-2), 0);
  EXPECT_EQ(effective(-1), 2);
  EXPECT_EQ(effective(kMost), kMost - 1);
}

// A texture that fails when the textures are loaded again leaves its part untextured; after the
// loader's own message about the file the user is told what it means for the object.
TEST_F(LoadLooksTest, AReloadTellsAfterTheLoaderThatATextureWasNotFoundOrCouldNotBeLoaded) {
  const std::string b = folder / "b.bmp";
  const struct {
    const char* what;
    std::function<void()> spoil;
    std::vector<std::string> told;  // the start of each box shown by the reload
  } cases[] = {
      {"missing",
       [&] {
         std::filesystem::remove(b);
         boxes.Answer({IDYES});  // the user gives up the search
       },
       {"Are you sure you want to cancel",
        "The current operation was cancelled because the following file was not found.\n\n" + b,
        "Texture file not found.\n\n" + b, "Texture file was not found so object will appear incorrect."}},
      {"damaged",
       [&] { WriteFile(b, "BM damaged"); },
       {"Independent JPEG Group's software error:", "Texture file not loaded.",
        "Texture file could not be loaded so object will appear incorrect."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Ptr<MeshSO> m = Make(folder / "two.x");
    c.spoil();
    const std::size_t before = boxes.boxes.size();
    m->ReloadTextures(0);
    EXPECT_TRUE(Textured(m->mesh, 0) && !Textured(m->mesh, 1));
    ASSERT_EQ(boxes.boxes.size() - before, c.told.size());
    for (std::size_t i = 0; i < c.told.size(); ++i)
      EXPECT_EQ(boxes.boxes[before + i].text.rfind(c.told[i], 0), 0u) << boxes.boxes[before + i].text;
    EXPECT_NE(boxes.boxes.back().text.find("\n\nb.bmp\n\n"), std::string::npos) << "the texture's name";
    std::filesystem::copy_file(folder / "a.bmp", b, std::filesystem::copy_options::overwrite_existing);
  }
}

TEST(LoadObjectFile, VersionsPlaceTheirFieldsAndTheMeshFollowsTheThumbnail) {
  const std::vector<objects::PartRecord> parts{{std::string("Seat\0junk", 9), true}, {std::string(255, 'n'), false}};
  const auto v3 = ObjectFileOf({-2, true, {255, 0, 51}, true}, parts, "xof 0302txt 0032");
  for (std::uint8_t version = 0; version <= 3; ++version) {
    SCOPED_TRACE(int{version});
    // Before version 2 there is no line colour, two-sided byte or flag byte.
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < v3.size(); ++i)
      if (version >= 2 || i < 297 || i >= 302) bytes.push_back(v3[i]);
    bytes[288] = version;
    const std::size_t countAt = version >= 2 ? 302 : 297;
    ObjectFileHeader h;
    ASSERT_EQ(ReadObjectFile(bytes, &h), ObjectFileRead::kRead);
    EXPECT_EQ(h.quality, -2);
    EXPECT_EQ(h.cartoon, true);
    EXPECT_EQ(h.lineColor.has_value(), version >= 2);
    EXPECT_EQ(h.twoSided.has_value(), version >= 2);
    if (version >= 2) {
      EXPECT_EQ(h.lineColor->at(2), 51);
    }
    EXPECT_EQ(h.partNames, (std::vector<std::string>{"Seat", std::string(255, 'n')}));
    EXPECT_EQ(h.partLit, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(h.thumbnailPixels, countAt + 4 + (9 + 2) + (255 + 2) + 54);
    EXPECT_EQ(h.meshOffset, bytes.size() - 16);
  }
}

TEST(LoadObjectFile, EachDamagedFieldRefusesTheFileKeepingWhatCameBeforeAndTheWholeNoticeDecidesTheKind) {
  // Part "a" at 306, the bitmap header at 309, its information header at 323.
  const auto whole = ObjectFileOf({5, false, {}, false}, {{"a", true}}, "");
  const struct {
    const char* what;
    std::size_t at;
    std::uint8_t value;
  } cases[] = {{"version 4", 288, 4},       {"cartoon 2", 296, 2}, {"two-sided 2", 300, 2},
               {"name length 0", 306, 0},   {"lit 2", 308, 2},     {"no BM", 310, 'N'},
               {"info size 41", 323, 41},   {"width 47", 327, 47}, {"compression 1", 339, 1}};
  for (const auto& c : cases) {
    auto bytes = whole;
    bytes[c.at] = c.value;
    ObjectFileHeader h;
    EXPECT_EQ(ReadObjectFile(bytes, &h), ObjectFileRead::kDamaged) << c.what;
    if (c.at > 288) {
      EXPECT_EQ(h.quality, 5) << c.what;
    }
  }
  auto bits = whole;
  bits[337] = 8;
  ObjectFileHeader h;
  EXPECT_EQ(ReadObjectFile(bits, &h), ObjectFileRead::kRead) << "the bit count is not looked at";
  // Every cut inside the header or thumbnail is damage, the last byte of the thumbnail included.
  for (std::size_t size = kObjectFileNoticeSize; size < whole.size(); size += 97)
    EXPECT_EQ(ReadObjectFile(std::span(whole).first(size), &h), ObjectFileRead::kDamaged) << size;
  EXPECT_EQ(ReadObjectFile(std::span(whole).first(whole.size() - 1), &h), ObjectFileRead::kDamaged);

  // The whole notice decides the kind.
  auto empty = ObjectFileOf({}, {}, "");
  EXPECT_EQ(ReadObjectFile(empty, &h), ObjectFileRead::kRead);
  EXPECT_EQ(h.meshOffset, empty.size()) << "a file ending after the thumbnail has 0 bytes of mesh";
  empty[287] = ' ';
  EXPECT_EQ(ReadObjectFile(empty, &h), ObjectFileRead::kNotObjectFile);
  const std::vector<std::uint8_t> shortFile(ObjectFileNotice().begin(), ObjectFileNotice().end() - 1);
  EXPECT_EQ(ReadObjectFile(shortFile, &h), ObjectFileRead::kNotObjectFile);
  EXPECT_EQ(ObjectFileNotice()[285], '\r');
  EXPECT_EQ(std::strlen(ObjectFileNotice().data()), 287u);
}

}  // namespace
