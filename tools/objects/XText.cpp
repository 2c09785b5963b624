#include "XText.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace objects {
namespace {

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
  return text == std::string("-0.000000") ? "0.000000" : text;
}

std::string Channel(std::uint8_t value) { return Number(static_cast<float>(value) / 255.0f); }

// The separator after item i of n in a .x list: "," between items, ";" after the last.
const char* After(std::size_t i, std::size_t n) { return i + 1 < n ? "," : ";"; }

}  // namespace

std::string XText(const Sketch& sketch) {
  using Key = std::tuple<float, float, float, float, float, float, float, float>;
  std::map<Key, unsigned> indexOf;
  std::vector<const Corner*> vertices;
  std::vector<std::vector<unsigned>> faces;
  std::vector<bool> used(sketch.Parts().size(), false);
  for (const Face& face : sketch.Faces()) {
    used[static_cast<std::size_t>(face.part)] = true;
    auto& indices = faces.emplace_back();
    for (const Corner& c : face.corners) {
      const Key key{c.position.x, c.position.y, c.position.z, c.normal.x, c.normal.y, c.normal.z, c.u, c.v};
      auto [it, added] = indexOf.try_emplace(key, static_cast<unsigned>(vertices.size()));
      if (added) vertices.push_back(&c);
      indices.push_back(it->second);
    }
  }
  for (std::size_t i = 0; i < used.size(); ++i)
    if (!used[i]) throw std::logic_error("part " + sketch.Parts()[i].name + " has no faces");

  std::ostringstream x;
  auto faceList = [&] {
    x << faces.size() << ";\n";
    for (std::size_t f = 0; f < faces.size(); ++f) {
      x << "  " << faces[f].size() << ";";
      for (std::size_t k = 0; k < faces[f].size(); ++k) x << (k ? "," : "") << faces[f][k];
      x << ";" << After(f, faces.size()) << "\n";
    }
  };
  auto vectorList = [&](auto field) {
    x << vertices.size() << ";\n";
    for (std::size_t v = 0; v < vertices.size(); ++v) {
      const Vec3 p = field(*vertices[v]);
      x << "  " << Number(p.x) << ";" << Number(p.y) << ";" << Number(p.z) << ";" << After(v, vertices.size()) << "\n";
    }
  };

  x << "xof 0302txt 0032\nMesh Object {\n ";
  vectorList([](const Corner& c) { return c.position; });
  x << " ";
  faceList();
  x << " MeshNormals {\n  ";
  vectorList([](const Corner& c) { return c.normal; });
  x << "  ";
  faceList();
  x << " }\n MeshTextureCoords {\n  " << vertices.size() << ";\n";
  for (std::size_t v = 0; v < vertices.size(); ++v)
    x << "  " << Number(vertices[v]->u) << ";" << Number(vertices[v]->v) << ";" << After(v, vertices.size()) << "\n";
  x << " }\n MeshMaterialList {\n  " << sketch.Parts().size() << ";\n  " << faces.size() << ";\n";
  for (std::size_t f = 0; f < sketch.Faces().size(); ++f)
    x << "  " << sketch.Faces()[f].part << (f + 1 < faces.size() ? "," : ";;") << "\n";
  for (std::size_t i = 0; i < sketch.Parts().size(); ++i) {
    const Part& part = sketch.Parts()[i];
    x << "  Material Look" << i << " {\n   " << Channel(part.colour.r) << ";" << Channel(part.colour.g) << ";"
      << Channel(part.colour.b) << ";1.000000;;\n   0.000000;\n   0.000000;0.000000;0.000000;;\n"
      << "   0.000000;0.000000;0.000000;;\n";
    if (!part.texture.empty()) x << "   TextureFilename {\n    \"" << part.texture << "\";\n   }\n";
    x << "  }\n";
  }
  x << " }\n}\n";
  return x.str();
}

}  // namespace objects
