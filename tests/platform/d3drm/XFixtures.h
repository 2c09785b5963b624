// A writer of binary .x data token by token, the binary forms of the text fixtures, and a texture
// callback that records what it is asked for.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "platform/d3drm/D3DRMTestSupport.h"

class XBinaryWriter {
 public:
  // A header ending in "0064" makes Floats write 64-bit reals.
  explicit XBinaryWriter(const char* header = "xof 0302bin 0032")
      : doubles_(std::string(header, 16).ends_with("0064")) {
    bytes_.assign(header, header + 16);
  }

  // Strings end with a 32-bit separator word by default; some exporters write a 16-bit token.
  XBinaryWriter& ShortStringEnds() {
    shortStringEnds_ = true;
    return *this;
  }

  XBinaryWriter& Name(const std::string& name) { return Text(1, name); }
  XBinaryWriter& String(const std::string& text) {
    Text(2, text);
    return shortStringEnds_ ? Word(20) : Dword(20);  // ends with a semicolon
  }
  XBinaryWriter& Integers(std::initializer_list<std::uint32_t> values) {
    Word(6);
    Dword(static_cast<std::uint32_t>(values.size()));
    for (std::uint32_t v : values) Dword(v);
    return *this;
  }
  XBinaryWriter& Floats(std::initializer_list<float> values) {
    Word(7);
    Dword(static_cast<std::uint32_t>(values.size()));
    for (float v : values) {
      if (doubles_) {
        const auto bits = std::bit_cast<std::uint64_t>(double{v});
        Dword(static_cast<std::uint32_t>(bits)).Dword(static_cast<std::uint32_t>(bits >> 32));
      } else {
        Dword(std::bit_cast<std::uint32_t>(v));
      }
    }
    return *this;
  }
  XBinaryWriter& Open() { return Word(10); }
  XBinaryWriter& Close() { return Word(11); }
  XBinaryWriter& Word(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    return *this;
  }
  XBinaryWriter& Dword(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value));
    return Word(static_cast<std::uint16_t>(value >> 16));
  }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

 private:
  XBinaryWriter& Text(std::uint16_t token, const std::string& text) {
    Word(token);
    Dword(static_cast<std::uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }

  std::vector<std::uint8_t> bytes_;
  bool doubles_;
  bool shortStringEnds_ = false;
};

// Skin data as exporters write it: the weights' template declared on top, a header and weights in the mesh.
inline void AddSkinTemplate(XBinaryWriter& x) {
  x.Word(31).Name("SkinWeights").Open().Word(5).Dword(0x6F0D123B).Dword(0x4B19BAD2).Dword(0x8AA6CE9A).Dword(0x2A2EF1EA);
  x.Word(49).Name("transformNodeName").Word(20).Word(40).Name("nWeights").Word(20);
  x.Word(52).Word(40).Name("vertexIndices").Word(14).Name("nWeights").Word(15).Word(20);
  x.Word(52).Word(42).Name("weights").Word(14).Name("nWeights").Word(15).Word(20);
  x.Name("Matrix4x4").Name("matrixOffset").Word(20).Close();
}
inline void AddSkinWeights(XBinaryWriter& x) {
  x.Name("XSkinMeshHeader").Open().Integers({1, 1, 1}).Close();
  x.Name("SkinWeights").Open().String("Bone01").Integers({8, 0, 1, 2, 3, 4, 5, 6, 7});
  x.Floats({1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}).Close();
}

// The cube of cube.x after a template declaration and a Header; meshStart and meshEnd give the bytes from
// the mesh's name to its closing brace. `x` may carry another header or string ending; `skin` adds skins.
inline XBinaryWriter BinaryCube(std::size_t* meshStart = nullptr, std::size_t* meshEnd = nullptr,
                                XBinaryWriter x = XBinaryWriter(), bool skin = false) {
  x.Word(31).Name("Header").Open().Word(5).Dword(0x3D82AB43).Dword(0x11CF62DA).Dword(0x20002BAB).Dword(0x33E471AF);
  x.Word(40).Name("major").Word(20).Word(40).Name("minor").Word(20).Word(41).Name("flags").Word(20).Close();
  x.Name("Header").Open().Integers({1, 0, 1}).Close();
  if (skin) AddSkinTemplate(x);
  if (meshStart) *meshStart = x.size();
  x.Name("Mesh").Name("Cube").Open().Integers({8});
  x.Floats({-1, -1, -1, -1, 1, -1, 1, 1, -1, 1, -1, -1, -1, -1, 1, -1, 1, 1, 1, 1, 1, 1, -1, 1});
  x.Integers({6, 4, 0, 1, 2, 3, 4, 7, 6, 5, 4, 4, 4, 5, 1, 0, 4, 3, 2, 6, 7, 4, 1, 5, 6, 2, 4, 4, 0, 3, 7});
  x.Name("MeshNormals").Open().Integers({6});
  x.Floats({0, 0, -1, 0, 0, 1, -1, 0, 0, 1, 0, 0, 0, 1, 0, 0, -1, 0});
  x.Integers({6, 4, 0, 0, 0, 0, 4, 1, 1, 1, 1, 4, 2, 2, 2, 2, 4, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5}).Close();
  x.Name("MeshTextureCoords").Open().Integers({8}).Floats({0, 1, 0, 0, 1, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 1}).Close();
  x.Name("MeshMaterialList").Open().Integers({2, 6, 1, 0, 0, 1, 1, 0});
  x.Name("Material").Name("Red").Open().Floats({1, 0, 0, 1, 5, 1, 1, 1, 0, 0, 0});
  x.Name("TextureFilename").Open().String("wood.bmp").Close().Close();
  x.Name("Material").Name("Blue").Open().Floats({0, 0, 1, 0.5f, 0, 0, 0, 0, 0.25f, 0.25f, 0.25f});
  x.Name("TextureFilename").Open().String("stone.bmp").Close().Close();
  x.Close();
  if (skin) AddSkinWeights(x);
  if (meshEnd) *meshEnd = x.size();
  x.Close();
  return x;
}

// The frames of frames.x.
inline XBinaryWriter BinaryFrames() {
  XBinaryWriter x;
  x.Name("Frame").Name("Outer").Open();
  x.Name("FrameTransformMatrix").Open().Floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1}).Close();
  x.Name("Frame").Name("Inner").Open();
  x.Name("FrameTransformMatrix").Open().Floats({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}).Close();
  x.Name("Mesh").Name("Turned").Open().Integers({3}).Floats({1, 0, 0, 0, 1, 0, 0, 0, 1}).Integers({1, 3, 0, 1, 2});
  x.Name("MeshNormals").Open().Integers({1}).Floats({1, 0, 0}).Integers({1, 3, 0, 0, 0}).Close();
  x.Close().Close().Close();
  x.Name("Mesh").Name("Unplaced").Open().Integers({3}).Floats({1, 0, 0, 0, 1, 0, 0, 0, 1}).Integers({1, 3, 0, 2, 1});
  x.Close();
  return x;
}

// The quad and pentagon of polygons.x.
inline XBinaryWriter BinaryPolygons() {
  XBinaryWriter x("xof 0303bin 0032");
  x.Name("Mesh").Name("Polygons").Open().Integers({7});
  x.Floats({0, 0, 0, 0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 2, 0, 1, 3, 0, 2, 2, 0});
  x.Integers({2, 4, 0, 1, 2, 3, 5, 1, 4, 5, 6, 2}).Close();
  return x;
}

// The vertex colours and referenced material of colors.x.
inline XBinaryWriter BinaryColors() {
  XBinaryWriter x;
  x.Name("Material").Name("Grey").Open().Floats({0.5f, 0.5f, 0.5f, 1, 0, 0, 0, 0, 0, 0, 0}).Close();
  x.Name("Mesh").Name("Painted").Open().Integers({4}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0});
  x.Integers({2, 3, 0, 2, 1, 3, 1, 2, 3});
  x.Name("MeshNormals").Open().Integers({1}).Floats({0, 0, -1}).Integers({2, 3, 0, 0, 0, 3, 0, 0, 0}).Close();
  x.Name("MeshVertexColors").Open().Integers({2, 0}).Floats({1, 0, 0, 1}).Integers({3}).Floats({0, 1, 0, 0.5f}).Close();
  x.Name("MeshMaterialList").Open().Integers({1, 1, 0}).Open().Name("Grey").Close().Close();
  x.Close();
  return x;
}

// Hands out a texture for each name, named after it, and records the names asked for.
struct TextureLog {
  IDirect3DRM* rm = nullptr;
  std::string refuse;  // a name the callback fails for
  std::vector<std::string> asked;
  std::map<std::string, ComPtr<IDirect3DRMTexture>> made;

  static HRESULT Callback(char* name, void* arg, IDirect3DRMTexture** texture) {
    auto* log = static_cast<TextureLog*>(arg);
    log->asked.push_back(name);
    *texture = nullptr;
    if (log->refuse == name) return D3DRMERR_FILENOTFOUND;
    const HRESULT result = log->rm->LoadTexture(FixturePath("bmp/pal8.bmp").c_str(), texture);
    if (result != D3DRM_OK) return result;
    (*texture)->SetName(name);
    log->made[name] = *texture;
    return D3DRM_OK;
  }
};
