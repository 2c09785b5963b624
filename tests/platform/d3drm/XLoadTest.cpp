// The .x reader and the mesh builder: text, binary and compressed fixtures into mesh groups, the
// texture callback, missing and damaged data, quality, scaling and boxes.
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <string>

#include "platform/d3drm/Matrix.h"
#include "platform/d3drm/XFixtures.h"

namespace {

ComPtr<IDirect3DRMMaterial> MaterialOf(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  ComPtr<IDirect3DRMMaterial> material;
  EXPECT_EQ(mesh->GetGroupMaterial(group, material.put()), D3DRM_OK);
  return material;
}

ComPtr<IDirect3DRMTexture> TextureOf(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  ComPtr<IDirect3DRMTexture> texture;
  EXPECT_EQ(mesh->GetGroupTexture(group, texture.put()), D3DRM_OK);
  return texture;
}

std::string NameOf(IDirect3DRMObject* object) {
  char name[64] = {};
  DWORD size = sizeof name;
  EXPECT_EQ(object->GetName(&size, name), D3DRM_OK);
  return name;
}

class XLoadTest : public RetainedModeTest {
 protected:
  static std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

  HRESULT LoadBytes(const std::vector<std::uint8_t>& bytes) {
    if (!builder) builder = NewBuilder();
    log.rm = rm;
    D3DRMLOADMEMORY memory{const_cast<std::uint8_t*>(bytes.data()), static_cast<DWORD>(bytes.size())};
    return builder->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, &TextureLog::Callback, &log);
  }
  HRESULT LoadText(const std::string& body) { return LoadBytes(Bytes("xof 0302txt 0032\n" + body)); }
  // Loads `bytes` into a fresh builder and makes its mesh.
  ComPtr<IDirect3DRMMesh> LoadFresh(const std::vector<std::uint8_t>& bytes) {
    builder = NewBuilder();
    EXPECT_EQ(LoadBytes(bytes), D3DRM_OK);
    return CreateMesh();
  }

  ComPtr<IDirect3DRMMesh> CreateMesh() {
    ComPtr<IDirect3DRMMesh> mesh;
    EXPECT_EQ(builder->CreateMesh(mesh.put()), D3DRM_OK);
    return mesh;
  }

  // Loads `bytes` with a fresh builder and expects the same groups as the text cube.
  void ExpectTextCube(const std::vector<std::uint8_t>& bytes) {
    const auto expected = LoadFresh(ReadFixture("x/cube.x"));
    const auto mesh = LoadFresh(bytes);
    ASSERT_EQ(mesh->GetGroupCount(), expected->GetGroupCount());
    for (D3DRMGROUPINDEX g = 0; g < static_cast<D3DRMGROUPINDEX>(mesh->GetGroupCount()); ++g) {
      SCOPED_TRACE(g);
      EXPECT_EQ(Faces(mesh.get(), g), Faces(expected.get(), g));
      const auto vertices = Vertices(mesh.get(), g);
      const auto wanted = Vertices(expected.get(), g);
      ASSERT_EQ(vertices.size(), wanted.size());
      EXPECT_EQ(std::memcmp(vertices.data(), wanted.data(), vertices.size() * sizeof vertices[0]), 0);
      EXPECT_EQ(mesh->GetGroupColor(g), expected->GetGroupColor(g));
      EXPECT_EQ(NameOf(MaterialOf(mesh.get(), g).get()), NameOf(MaterialOf(expected.get(), g).get()));
      EXPECT_EQ(MaterialOf(mesh.get(), g)->GetPower(), MaterialOf(expected.get(), g)->GetPower());
      EXPECT_EQ(NameOf(TextureOf(mesh.get(), g).get()), NameOf(TextureOf(expected.get(), g).get()));
    }
  }

  TextureLog log;
  ComPtr<IDirect3DRMMeshBuilder> builder;
};

bool Same(const D3DVECTOR& v, float x, float y, float z) { return v.x == x && v.y == y && v.z == z; }


constexpr const char* kTriangle = "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;";
constexpr const char* kGrey = "Material { 0.5;0.5;0.5;1;; 0; 0;0;0;; 0;0;0;; }";

// cube.x: faces use the materials 1, 0, 0, 1, 1, 0, so "Blue" makes group 0 and "Red" group 1. Its
// binary and compressed forms are compared with it below.
TEST_F(XLoadTest, TheCubeGivesAGroupPerMaterialWithItsTextureAndVertices) {
  ASSERT_EQ(LoadBytes(ReadFixture("x/cube.x")), D3DRM_OK);
  auto mesh = CreateMesh();
  ASSERT_EQ(mesh->GetGroupCount(), 2u);
  EXPECT_EQ(log.asked, (std::vector<std::string>{"wood.bmp", "stone.bmp"}));

  EXPECT_EQ(mesh->GetGroupColor(0), 0x800000FFu);
  EXPECT_EQ(TextureOf(mesh.get(), 0).get(), log.made["stone.bmp"].get());
  const auto blue = MaterialOf(mesh.get(), 0);
  D3DVALUE r, g, b;
  ASSERT_EQ(blue->GetEmissive(&r, &g, &b), D3DRM_OK);
  EXPECT_EQ(b, 0.25f);

  const auto red = MaterialOf(mesh.get(), 1);
  EXPECT_EQ(red->GetPower(), 5.0f);
  ASSERT_EQ(red->GetSpecular(&r, &g, &b), D3DRM_OK);
  EXPECT_EQ(g, 1.0f);

  // Group 0 holds the faces 0, 3 and 4: four vertices each, as their normals differ.
  EXPECT_EQ(Faces(mesh.get(), 0), (std::vector<unsigned>{0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7, 8, 9, 10, 8, 10, 11}));
  const auto vertices = Vertices(mesh.get(), 0);
  ASSERT_EQ(vertices.size(), 12u);
  EXPECT_TRUE(Same(vertices[0].position, -1, -1, -1));
  EXPECT_TRUE(Same(vertices[0].normal, 0, 0, -1));
  EXPECT_EQ(vertices[0].tv, 1.0f);
  EXPECT_EQ(vertices[0].color, 0x800000FFu) << "without vertex colours a vertex takes its face colour";
  EXPECT_TRUE(Same(vertices[9].position, -1, 1, 1));
  EXPECT_EQ(vertices[9].tu, 1.0f);
  EXPECT_EQ(Vertices(mesh.get(), 1).size(), 12u);
}

// polygons.x: a quad and a pentagon; frames.x: nested transforms; colors.x: vertex colours.
TEST_F(XLoadTest, PolygonsFramesAndVertexColours) {
  auto mesh = LoadFresh(ReadFixture("x/polygons.x"));
  ASSERT_EQ(mesh->GetGroupCount(), 1u);
  EXPECT_EQ(Faces(mesh.get(), 0), (std::vector<unsigned>{0, 1, 2, 0, 2, 3, 1, 4, 5, 1, 5, 6, 1, 6, 2}));
  auto v = Vertices(mesh.get(), 0);
  ASSERT_EQ(v.size(), 7u) << "corners shared by both faces are one vertex";
  for (const D3DRMVERTEX& corner : v) EXPECT_TRUE(Same(corner.normal, 0, 0, -1)) << "averaged normals";
  EXPECT_EQ(mesh->GetGroupColor(0), 0xFFFFFFFFu);
  EXPECT_EQ(MaterialOf(mesh.get(), 0).get(), nullptr);

  mesh = LoadFresh(ReadFixture("x/frames.x"));
  ASSERT_EQ(mesh->GetGroupCount(), 1u);
  v = Vertices(mesh.get(), 0);
  ASSERT_EQ(v.size(), 6u);
  EXPECT_TRUE(Same(v[0].position, 10, 1, 0)) << "the inner frame's transform first";
  EXPECT_TRUE(Same(v[0].normal, 0, 1, 0)) << "normals turn with their frame";
  EXPECT_TRUE(Same(v[3].position, 1, 0, 0)) << "a mesh outside every frame stays where it is";

  mesh = LoadFresh(ReadFixture("x/colors.x"));
  ASSERT_EQ(mesh->GetGroupCount(), 1u);
  EXPECT_EQ(mesh->GetGroupColor(0), 0xFF808080u);
  EXPECT_EQ(Faces(mesh.get(), 0), (std::vector<unsigned>{0, 1, 2, 2, 1, 3}));
  std::vector<D3DCOLOR> colors;
  for (const D3DRMVERTEX& corner : Vertices(mesh.get(), 0)) colors.push_back(corner.color);
  EXPECT_EQ(colors, (std::vector<D3DCOLOR>{0xFFFF0000, 0xFF808080, 0xFF808080, 0x8000FF00}))
      << "vertex colours override the face colour";
  EXPECT_TRUE(log.asked.empty());
}

TEST_F(XLoadTest, TextureCallbackIsAskedOncePerNameAndMayFail) {
  log.refuse = "stone.bmp";
  const std::string material = "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"stone.bmp\"; } }";
  const std::string red = "Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"wood.bmp\"; } }";
  ASSERT_EQ(
      LoadText(std::string("Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,1;; MeshMaterialList { 3; 2; 0,2;; ") +
               material + red + material + " } }"),
      D3DRM_OK);
  EXPECT_EQ(log.asked, (std::vector<std::string>{"stone.bmp", "wood.bmp"}));
  const auto mesh = CreateMesh();
  ASSERT_EQ(mesh->GetGroupCount(), 1u) << "materials 0 and 2 look the same";
  EXPECT_EQ(TextureOf(mesh.get(), 0).get(), nullptr) << "the refused texture is left out";
}

TEST_F(XLoadTest, ResultsForMissingUnreadableAndMeshlessData) {
  builder = NewBuilder();
  auto load = [&](const std::string& path) {
    return builder->Load(const_cast<char*>(path.c_str()), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr);
  };
  EXPECT_EQ(load(FixturePath("x/missing.x")), D3DRMERR_FILENOTFOUND);
  EXPECT_EQ(load(FixturePath("x")), D3DRMERR_BADFILE);

  EXPECT_EQ(LoadText(""), D3DRMERR_NOTFOUND);
  EXPECT_EQ(LoadText("Header { 1; 0; 1; } Frame F { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; } } " +
                     std::string(kGrey)),
            D3DRMERR_NOTFOUND);
  EXPECT_EQ(LoadBytes(XBinaryWriter().bytes()), D3DRMERR_NOTFOUND);
  EXPECT_EQ(LoadText(std::string("Mesh {") + kTriangle + " }"), D3DRM_OK);

  // A failed load keeps what the builder held.
  EXPECT_EQ(LoadText("Mesh { 3; 0;0;0;"), D3DRMERR_BADFILE);
  EXPECT_EQ(CreateMesh()->GetGroupCount(), 1u);
  D3DRMLOADMEMORY memory{nullptr, 0};
  EXPECT_EQ(builder->Load(&memory, nullptr, 7, nullptr, nullptr), D3DRMERR_BADVALUE);
}

TEST_F(XLoadTest, DamagedHeadersAndTextAreBadFiles) {
  for (const char* data : {"", "xof 0302txt 003", "xof 0402txt 0032", "xof 0302tzip0032", "xof 0302txt 0016"})
    EXPECT_EQ(LoadBytes(Bytes(data)), D3DRMERR_BADFILE) << '"' << data << '"';
  const std::string mesh = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; ";
  const char* cases[] = {
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }",      // vertex index past the vertices
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }",        // a face of two corners
      "Mesh { 3; 0;0;0;, 1;0;0;, zero;1;0;; 1; 3;0,1,2;; }",   // a name for a number
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1e999;0;; 1; 3;0,1,2;; }",  // not finite
      "Mesh { 4294967295; 0;0;0;; 0;; }",                      // more vertices than the data holds
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; @ }",  // a stray character
      "Mesh { <3D82AB44-62DA-11cf }",
  };
  for (const char* text : cases) EXPECT_EQ(LoadText(text), D3DRMERR_BADFILE) << text;

  const char* children[] = {
      "MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; }",                           // more face normals than faces
      "MeshNormals { 1; 0;0;1;; 1; 3;0,1,0;; }",                                     // normal index past the normals
      "MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; }",                                   // corners unlike the face's
      "MeshTextureCoords { 2; 0;0;, 1;1;; }",                                        // not one per vertex
      "MeshVertexColors { 1; 3; 1;0;0;1;; }",                                        // vertex past the vertices
      "MeshVertexColors { 9; 0; 1;0;0;1;; }",                                        // more colours than given
      "MeshMaterialList { 1; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }",    // material past the list
      "MeshMaterialList { 2; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }",    // one material short
      "MeshMaterialList { 1; 2; 0,0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }",  // more faces than the mesh
      "MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; -5; 0;0;0;; 0;0;0;; } }",   // a negative highlight power
      "MeshMaterialList { 1; 1; 0;; { Nowhere } }",                                  // an unknown reference
  };
  for (const char* child : children) EXPECT_EQ(LoadText(mesh + child + " }"), D3DRMERR_BADFILE) << child;
  EXPECT_TRUE(log.asked.empty()) << "damaged data asks for no texture";
  EXPECT_EQ(LoadText(mesh + "MeshMaterialList { 1; 1; 0;; " + kGrey + " } }"), D3DRM_OK);

  // Frames nested deeper than 64 would overflow the reader's stack.
  auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "Frame {";
    text += std::string("Mesh {") + kTriangle + "}";
    return text + std::string(static_cast<std::size_t>(depth), '}');
  };
  EXPECT_EQ(LoadText(nested(64)), D3DRM_OK);
  EXPECT_EQ(LoadText(nested(65)), D3DRMERR_BADFILE);
  EXPECT_EQ(LoadText(nested(100000)), D3DRMERR_BADFILE);
}

TEST_F(XLoadTest, DataCutAnywhereInsideTheMeshIsABadFile) {
  const std::vector<std::uint8_t> text = ReadFixture("x/cube.x");
  const std::string asText(text.begin(), text.end());
  const std::size_t textStart = asText.find("Mesh Cube");
  const std::size_t textEnd = asText.rfind('}');
  ASSERT_TRUE(textStart != std::string::npos && textEnd != std::string::npos);
  std::size_t binaryStart = 0, binaryEnd = 0;
  const std::vector<std::uint8_t> binary = BinaryCube(&binaryStart, &binaryEnd).bytes();
  const struct {
    const std::vector<std::uint8_t>& bytes;
    std::size_t first, last;
  } forms[] = {{text, textStart + 1, textEnd}, {binary, binaryStart + 1, binaryEnd + 1}};
  for (const auto& form : forms)
    for (std::size_t size = form.first; size <= form.last; ++size) {
      const std::vector<std::uint8_t> cut(form.bytes.begin(), form.bytes.begin() + static_cast<std::ptrdiff_t>(size));
      ASSERT_EQ(LoadBytes(cut), D3DRMERR_BADFILE) << "cut to " << size;
    }
  EXPECT_TRUE(log.asked.empty());
}

TEST_F(XLoadTest, DamagedBinaryTokensAreABadFile) {
  std::vector<XBinaryWriter> cases(6);
  cases[0].Name("Mesh").Open().Word(6).Dword(1000).Dword(3);                         // a list longer than the data
  cases[1].Name("Mesh").Open().Word(6).Dword(0x7FFFFFFF);                            // a list count that would overflow
  cases[2].Name("Mesh").Open().Word(99);                                             // an unknown token
  cases[3].Name("Mesh").Open().Word(2).Dword(3).Word(0x6261).Word(0x0063).Dword(7);  // string ending badly
  cases[4].Word(1).Dword(100).Word(0x6261);                                          // a name longer than the data
  cases[5].Name("Mesh").Open().Integers({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).Integers({1, 3, 0, 1, 2}).Close();
  auto odd = cases[5].bytes();
  odd.push_back(0x0A);  // half a token word
  for (std::size_t i = 0; i + 1 < cases.size(); ++i) EXPECT_EQ(LoadBytes(cases[i].bytes()), D3DRMERR_BADFILE) << i;
  EXPECT_EQ(LoadBytes(odd), D3DRMERR_BADFILE);
  EXPECT_EQ(LoadBytes(cases[5].bytes()), D3DRM_OK);
}

using MeshBuilderTest = XLoadTest;

std::string MaterialText(const char* name, const char* rgba, const char* texture = nullptr) {
  std::string text = std::string("Material ") + name + " { " + rgba + ";; 2; 0;0;0;; 0;0;0;; ";
  if (texture) text += std::string("TextureFilename { \"") + texture + "\"; } ";
  return text + "}";
}

// One group per look in order of first use; another material name alone is the same look.
TEST_F(MeshBuilderTest, CreateMeshMakesOneGroupPerLookInOrderOfFirstUse) {
  const std::string text =
      "Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;; "
      "6; 3;0,1,2;, 3;2,1,3;, 3;0,1,2;, 3;1,3,2;, 3;0,2,3;, 3;0,1,3;; "
      "MeshNormals { 1; 0;0;-1;; 6; 3;0,0,0;, 3;0,0,0;, 3;0,0,0;, 3;0,0,0;, 3;0,0,0;, 3;0,0,0;; } "
      "MeshMaterialList { 4; 6; 1, 0, 1, 2, 3, 0;; " +
      MaterialText("Red", "1;0;0;1") + MaterialText("Green", "0;1;0;1") + MaterialText("Scarlet", "1;0;0;1") +
      MaterialText("Textured", "1;0;0;1", "wood.bmp") + " } }";
  ASSERT_EQ(LoadText(text), D3DRM_OK);
  const auto mesh = CreateMesh();
  ASSERT_EQ(mesh->GetGroupCount(), 3u);
  EXPECT_EQ(mesh->GetGroupColor(0), 0xFF00FF00u) << "Green is used first";
  EXPECT_EQ(mesh->GetGroupColor(1), 0xFFFF0000u);
  EXPECT_EQ(NameOf(MaterialOf(mesh.get(), 1).get()), "Red") << "the first material of a look names its group";
  EXPECT_EQ(TextureOf(mesh.get(), 2).get(), log.made["wood.bmp"].get());

  // Group 0 holds faces 0 and 2, group 1 faces 1, 3 (Scarlet) and 5, group 2 face 4.
  EXPECT_EQ(Faces(mesh.get(), 0), (std::vector<unsigned>{0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(Faces(mesh.get(), 1), (std::vector<unsigned>{0, 1, 2, 1, 2, 0, 3, 1, 2}));
  const auto vertices = Vertices(mesh.get(), 1);
  ASSERT_EQ(vertices.size(), 4u);
  EXPECT_TRUE(Same(vertices[0].position, 0, 1, 0)) << "vertices in order of first use";

  // Each group has a material object of its own.
  EXPECT_NE(MaterialOf(mesh.get(), 0).get(), MaterialOf(mesh.get(), 1).get());
  EXPECT_EQ(CreateMesh()->GetGroupCount(), 3u) << "the builder keeps its faces";
}

TEST_F(MeshBuilderTest, QualityPerspectiveScaleAndBox) {
  ASSERT_EQ(LoadBytes(ReadFixture("x/cube.x")), D3DRM_OK);
  EXPECT_EQ(CreateMesh()->GetGroupQuality(0), D3DRMRENDER_GOURAUD);
  ASSERT_EQ(builder->SetQuality(D3DRMRENDER_PHONG), D3DRM_OK);
  ASSERT_EQ(builder->SetPerspective(TRUE), D3DRM_OK);
  const auto mesh = CreateMesh();
  EXPECT_EQ(mesh->GetGroupQuality(1), D3DRMRENDER_PHONG);
  EXPECT_EQ(mesh->GetGroupMapping(1), D3DRMMAP_PERSPCORRECT);

  D3DRMBOX box;
  ASSERT_EQ(builder->Scale(0.5f, 0.5f, 0.5f), D3DRM_OK);
  ASSERT_EQ(builder->GetBox(&box), D3DRM_OK);
  EXPECT_TRUE(Same(box.min, -0.5f, -0.5f, -0.5f));
  EXPECT_TRUE(Same(box.max, 0.5f, 0.5f, 0.5f));
  EXPECT_TRUE(Same(Vertices(CreateMesh().get(), 0)[4].normal, 1, 0, 0)) << "a uniform scale keeps normals";

  // A slanted face stays perpendicular to its normal under a non-uniform scale.
  builder = NewBuilder();
  ASSERT_EQ(LoadText("Mesh { 3; 1;0;0;, 0;1;0;, 1;0;1;; 1; 3;0,1,2;; }"), D3DRM_OK);
  ASSERT_EQ(builder->Scale(2.0f, 1.0f, 1.0f), D3DRM_OK);
  const auto v = Vertices(CreateMesh().get(), 0);
  const D3DVECTOR edge = d3drm::Subtract(v[1].position, v[0].position);
  EXPECT_NEAR(edge.x * v[0].normal.x + edge.y * v[0].normal.y + edge.z * v[0].normal.z, 0.0, 1e-6);
  EXPECT_NEAR(std::hypot(v[0].normal.x, v[0].normal.y, v[0].normal.z), 1.0, 1e-6);

  auto empty = NewBuilder();
  ASSERT_EQ(empty->GetBox(&box), D3DRM_OK);
  EXPECT_TRUE(Same(box.max, 0, 0, 0));
}

// Compresses as exporters do: blocks of `blockSize` bytes, each "CK" and raw deflate using earlier blocks.
std::vector<std::uint8_t> Compress(const char* header, const std::vector<std::uint8_t>& body, std::size_t blockSize) {
  std::vector<std::uint8_t> out(header, header + 16);
  const auto put16 = [&](std::size_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  const std::size_t total = body.size() + 16;
  put16(total & 0xFFFF);
  put16(total >> 16);
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  for (std::size_t start = 0; start < body.size(); start += blockSize) {
    const std::size_t size = std::min(blockSize, body.size() - start);
    EXPECT_EQ(deflateReset(&z), Z_OK);
    EXPECT_EQ(start == 0 ? Z_OK : deflateSetDictionary(&z, body.data(), static_cast<uInt>(start)), Z_OK);
    std::vector<std::uint8_t> packed(deflateBound(&z, size));
    z.next_in = const_cast<Bytef*>(body.data() + start);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    packed.resize(packed.size() - z.avail_out);
    put16(size);
    put16(packed.size() + 2);
    out.push_back('C');
    out.push_back('K');
    out.insert(out.end(), packed.begin(), packed.end());
  }
  deflateEnd(&z);
  return out;
}

std::vector<std::uint8_t> BodyOf(const std::vector<std::uint8_t>& file) { return {file.begin() + 16, file.end()}; }


TEST_F(XLoadTest, BinaryAndCompressedFormsLoadTheTextCube) {
  XBinaryWriter shortEnds("xof 0303bin 0064");
  shortEnds.ShortStringEnds();
  const auto skinned = BinaryCube(nullptr, nullptr, XBinaryWriter("xof 0303bin 0064"), true).bytes();
  // 700-byte blocks make later blocks refer back into earlier ones.
  const std::pair<const char*, std::vector<std::uint8_t>> forms[] = {
      {"binary", BinaryCube().bytes()},
      {"skin weights, 64-bit reals", skinned},
      {"16-bit string ends", BinaryCube(nullptr, nullptr, shortEnds, true).bytes()},
      {"compressed text", Compress("xof 0303tzip0032", BodyOf(ReadFixture("x/cube.x")), 700)},
      {"compressed binary", Compress("xof 0303bzip0032", BodyOf(BinaryCube().bytes()), 300)},
      {"compressed 64-bit binary", Compress("xof 0303bzip0064", BodyOf(skinned), 50000)}};
  for (const auto& [form, bytes] : forms) {
    SCOPED_TRACE(form);
    ExpectTextCube(bytes);
  }
}

TEST_F(XLoadTest, DamagedCompressedDataIsABadFile) {
  const auto good = Compress("xof 0303tzip0032", BodyOf(ReadFixture("x/cube.x")), 700);
  auto noSignature = good;
  noSignature[24] = 'X';  // the first block's "CK"
  auto cut = good;
  cut.resize(good.size() - 3);
  auto tooLong = good;
  tooLong[20] = 0xFF;  // the first block stands for more bytes than it inflates to
  auto garbage = good;
  for (std::size_t i = 26; i < 60; ++i) garbage[i] ^= 0x5A;
  for (const auto* bytes : {&noSignature, &cut, &tooLong, &garbage}) EXPECT_EQ(LoadBytes(*bytes), D3DRMERR_BADFILE);
}

}  // namespace
