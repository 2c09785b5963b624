#include "platform/d3drm/xfile/XParser.h"

#include <cmath>
#include <map>
#include <set>
#include <string_view>

namespace d3drm::xfile {
namespace {

constexpr int kMaxFrameDepth = 64;

struct BadData {};

bool Named(std::string_view name, std::string_view wanted) {
  if (name.size() != wanted.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if ((name[i] | 0x20) != (wanted[i] | 0x20)) return false;
  return true;
}

class Parser {
 public:
  Parser(Tokenizer& tokenizer, XScene* scene) : tokens_(tokenizer), scene_(*scene) {}

  void File() {
    for (;;) {
      const Token token = Next();
      switch (token.kind) {
        case TokenKind::kEnd:
          return;
        case TokenKind::kTemplate:
          Require(Next().kind == TokenKind::kName);
          Require(Next().kind == TokenKind::kOpenBrace);
          SkipBody();
          break;
        case TokenKind::kName:
          if (!Object(token.text, ObjectStart(), -1, 0)) SkipBody();
          break;
        case TokenKind::kOpenBrace:
          ReferenceName();
          break;
        default:
          throw BadData{};
      }
    }
  }

 private:
  static void Require(bool condition) {
    if (!condition) throw BadData{};
  }

  Token Next() {
    if (peeked_) {
      peeked_ = false;
      return peek_;
    }
    const Token token = tokens_.Next();
    Require(token.kind != TokenKind::kError);
    return token;
  }

  const Token& Peek() {
    if (!peeked_) {
      peek_ = Next();
      peeked_ = true;
    }
    return peek_;
  }

  // After the object's template name: an optional object name and GUID, the opening brace and an
  // optional GUID. Gives the object name.
  std::string_view ObjectStart() {
    std::string_view name;
    if (Peek().kind == TokenKind::kName) name = Next().text;
    if (Peek().kind == TokenKind::kGuid) Next();
    Require(Next().kind == TokenKind::kOpenBrace);
    if (Peek().kind == TokenKind::kGuid) Next();
    return name;
  }

  // Steps to the brace that closes the one just read.
  void SkipBody() {
    for (int depth = 1; depth > 0;) {
      const TokenKind kind = Next().kind;
      Require(kind != TokenKind::kEnd);
      if (kind == TokenKind::kOpenBrace) ++depth;
      if (kind == TokenKind::kCloseBrace) --depth;
    }
  }

  // "{ name }" after its opening brace; gives the name.
  std::string_view ReferenceName() {
    std::string_view name;
    for (Token token = Next(); token.kind != TokenKind::kCloseBrace; token = Next()) {
      Require(token.kind == TokenKind::kName || token.kind == TokenKind::kGuid);
      if (token.kind == TokenKind::kName) name = token.text;
    }
    return name;
  }

  // Reads the nested objects and references of an object up to its closing brace. `object` gets
  // the template and object names of each nested object after its opening brace and reads its
  // body, or returns false to have it skipped; `reference` gets the names of references.
  template <class Object, class Reference>
  void Children(Object object, Reference reference) {
    for (;;) {
      const Token token = Next();
      if (token.kind == TokenKind::kCloseBrace) return;
      if (token.kind == TokenKind::kOpenBrace) {
        reference(ReferenceName());
        continue;
      }
      Require(token.kind == TokenKind::kName);
      const std::string_view name = ObjectStart();
      if (!object(token.text, name)) SkipBody();
    }
  }

  // The rest of an object whose members are read.
  void Finish() {
    Children([](std::string_view, std::string_view) { return false; }, [](std::string_view) {});
  }

  std::uint32_t Count(std::uint64_t numbersEach) {
    const Token token = Next();
    Require(token.kind == TokenKind::kInteger && token.integer >= 0 && token.integer <= 0xFFFFFFFF);
    Require(tokens_.CanHoldNumbers(static_cast<std::uint64_t>(token.integer) * numbersEach));
    return static_cast<std::uint32_t>(token.integer);
  }

  std::uint32_t Index(std::uint32_t limit) {
    const Token token = Next();
    Require(token.kind == TokenKind::kInteger && token.integer >= 0 && token.integer < limit);
    return static_cast<std::uint32_t>(token.integer);
  }

  D3DVALUE Float() {
    const Token token = Next();
    Require(token.kind == TokenKind::kInteger || token.kind == TokenKind::kFloat);
    const auto value = D3DVAL(token.kind == TokenKind::kFloat ? token.real : static_cast<double>(token.integer));
    Require(std::isfinite(value));
    return value;
  }

  D3DVECTOR Vector() {
    const D3DVALUE x = Float();
    const D3DVALUE y = Float();
    return {x, y, Float()};
  }

  // The objects that may stand at the top and in frames; false for any other.
  bool Object(std::string_view type, std::string_view name, int frame, int depth) {
    if (Named(type, "Frame")) {
      ParseFrame(frame, depth + 1);
    } else if (Named(type, "Mesh")) {
      ParseMesh(frame);
    } else if (Named(type, "Material")) {
      ParseMaterial(name);
    } else {
      return false;
    }
    return true;
  }

  void ParseFrame(int parent, int depth) {
    Require(depth <= kMaxFrameDepth);
    const int index = static_cast<int>(scene_.frames.size());
    scene_.frames.push_back({parent, Matrix4::Identity()});
    const auto object = [&](std::string_view type, std::string_view name) {
      if (!Named(type, "FrameTransformMatrix")) return Object(type, name, index, depth);
      Matrix4 m;
      for (auto& row : m.m)
        for (D3DVALUE& value : row) value = Float();
      scene_.frames[static_cast<std::size_t>(index)].transform = m;
      Finish();
      return true;
    };
    Children(object, [](std::string_view) {});
  }

  void ParseMesh(int frame) {
    XMesh mesh;
    mesh.frame = frame;
    const std::uint32_t vertexCount = Count(3);
    mesh.positions.reserve(vertexCount);
    for (std::uint32_t i = 0; i < vertexCount; ++i) mesh.positions.push_back(Vector());
    const std::uint32_t faceCount = Count(4);
    mesh.faceSizes.reserve(faceCount);
    for (std::uint32_t f = 0; f < faceCount; ++f) {
      const std::uint32_t size = Count(1);
      Require(size >= 3);
      mesh.faceSizes.push_back(size);
      for (std::uint32_t k = 0; k < size; ++k) mesh.faceCorners.push_back(Index(vertexCount));
    }
    const auto object = [&](std::string_view type, std::string_view name) {
      if (Named(type, "MeshNormals")) {
        ParseNormals(mesh);
      } else if (Named(type, "MeshTextureCoords")) {
        ParseTextureCoords(mesh);
      } else if (Named(type, "MeshVertexColors")) {
        ParseVertexColors(mesh);
      } else if (Named(type, "MeshMaterialList")) {
        ParseMaterialList(mesh);
      } else if (Named(type, "Material")) {
        ParseMaterial(name);
      } else {
        return false;
      }
      return true;
    };
    Children(object, [](std::string_view) {});
    scene_.meshes.push_back(std::move(mesh));
  }

  void ParseNormals(XMesh& mesh) {
    const std::uint32_t count = Count(3);
    mesh.normals.clear();
    mesh.normals.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) mesh.normals.push_back(Vector());
    Require(Count(1) == mesh.faceSizes.size());
    mesh.normalCorners.clear();
    mesh.normalCorners.reserve(mesh.faceCorners.size());
    for (std::uint32_t size : mesh.faceSizes) {
      Require(Count(1) == size);
      for (std::uint32_t k = 0; k < size; ++k) mesh.normalCorners.push_back(Index(count));
    }
    mesh.hasNormals = true;
    Finish();
  }

  void ParseTextureCoords(XMesh& mesh) {
    const std::uint32_t count = Count(2);
    Require(count == mesh.positions.size());
    mesh.texCoords.resize(count);
    for (auto& uv : mesh.texCoords) {
      uv[0] = Float();
      uv[1] = Float();
    }
    Finish();
  }

  void ParseVertexColors(XMesh& mesh) {
    const std::uint32_t count = Count(5);
    mesh.vertexColors.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t vertex = Index(static_cast<std::uint32_t>(mesh.positions.size()));
      const D3DVALUE r = Float();
      const D3DVALUE g = Float();
      const D3DVALUE b = Float();
      mesh.vertexColors.emplace_back(vertex, D3DRMCreateColorRGBA(r, g, b, Float()));
    }
    Finish();
  }

  // Faces past the listed ones take the last listed material.
  void ParseMaterialList(XMesh& mesh) {
    const std::uint32_t materialCount = Count(1);
    const std::uint32_t listed = Count(1);
    Require(listed <= mesh.faceSizes.size());
    std::vector<std::uint32_t> faceMaterials;
    faceMaterials.reserve(mesh.faceSizes.size());
    for (std::uint32_t f = 0; f < listed; ++f) faceMaterials.push_back(Index(materialCount));
    if (materialCount > 0)
      faceMaterials.resize(mesh.faceSizes.size(), faceMaterials.empty() ? 0 : faceMaterials.back());
    std::vector<std::shared_ptr<const XMaterial>> materials;
    const auto object = [&](std::string_view type, std::string_view name) {
      if (!Named(type, "Material")) return false;
      materials.push_back(ParseMaterial(name));
      return true;
    };
    Children(object, [&](std::string_view name) {
      const auto found = named_.find(std::string(name));
      Require(found != named_.end());
      materials.push_back(found->second);
    });
    Require(materials.size() == materialCount);
    mesh.faceMaterials = std::move(faceMaterials);
    mesh.materials = std::move(materials);
  }

  std::shared_ptr<const XMaterial> ParseMaterial(std::string_view name) {
    auto material = std::make_shared<XMaterial>();
    material->name = name;
    const D3DVALUE r = Float();
    const D3DVALUE g = Float();
    const D3DVALUE b = Float();
    material->color = D3DRMCreateColorRGBA(r, g, b, Float());
    material->values.power = Float();
    Require(material->values.power >= 0.0f);  // a highlight that widens without end is damage
    material->values.specular = Vector();
    material->values.emissive = Vector();
    const auto object = [&](std::string_view type, std::string_view) {
      if (!Named(type, "TextureFilename")) return false;
      const Token file = Next();
      Require(file.kind == TokenKind::kString);
      material->textureName = file.text;
      NoteTexture(material->textureName);
      Finish();
      return true;
    };
    Children(object, [](std::string_view) {});
    if (!name.empty()) named_[std::string(name)] = material;
    return material;
  }

  void NoteTexture(const std::string& name) {
    if (!name.empty() && textureSeen_.insert(name).second) scene_.textureNames.push_back(name);
  }

  Tokenizer& tokens_;
  XScene& scene_;
  Token peek_;
  bool peeked_ = false;
  std::map<std::string, std::shared_ptr<const XMaterial>> named_;
  std::set<std::string> textureSeen_;
};

}  // namespace

bool ParseXObjects(Tokenizer& tokenizer, XScene* scene) {
  try {
    Parser(tokenizer, scene).File();
    return true;
  } catch (const BadData&) {
    return false;
  }
}

}  // namespace d3drm::xfile
