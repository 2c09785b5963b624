#include "XText.h"

#include <cstdio>
#include <map>
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

  auto faceList = [&] {
    std::string text = std::to_string(faces.size()) + ";\n";
    for (std::size_t f = 0; f < faces.size(); ++f) {
      text += "  " + std::to_string(faces[f].size()) + ";";
      for (std::size_t k = 0; k < faces[f].size(); ++k) text += (k ? "," : "") + std::to_string(faces[f][k]);
      text += f + 1 < faces.size() ? ";,\n" : ";;\n";
    }
    return text;
  };
  auto vectorList = [&](auto field) {
    std::string text = std::to_string(vertices.size()) + ";\n";
    for (std::size_t v = 0; v < vertices.size(); ++v) {
      const Vec3 p = field(*vertices[v]);
      text += "  " + Number(p.x) + ";" + Number(p.y) + ";" + Number(p.z) + (v + 1 < vertices.size() ? ";,\n" : ";;\n");
    }
    return text;
  };

  std::string x = "xof 0302txt 0032\n";
  x += "Mesh Object {\n ";
  x += vectorList([](const Corner& c) { return c.position; });
  x += " " + faceList();
  x += " MeshNormals {\n  " + vectorList([](const Corner& c) { return c.normal; });
  x += "  " + faceList() + " }\n";
  x += " MeshTextureCoords {\n  " + std::to_string(vertices.size()) + ";\n";
  for (std::size_t v = 0; v < vertices.size(); ++v)
    x += "  " + Number(vertices[v]->u) + ";" + Number(vertices[v]->v) + (v + 1 < vertices.size() ? ";,\n" : ";;\n");
  x += " }\n";
  x += " MeshMaterialList {\n  " + std::to_string(sketch.Parts().size()) + ";\n  " +
       std::to_string(faces.size()) + ";\n";
  for (std::size_t f = 0; f < sketch.Faces().size(); ++f)
    x += "  " + std::to_string(sketch.Faces()[f].part) + (f + 1 < faces.size() ? ",\n" : ";;\n");
  for (std::size_t i = 0; i < sketch.Parts().size(); ++i) {
    const Part& part = sketch.Parts()[i];
    x += "  Material Look" + std::to_string(i) + " {\n   " + Channel(part.colour.r) + ";" + Channel(part.colour.g) +
         ";" + Channel(part.colour.b) + ";1.000000;;\n   0.000000;\n   0.000000;0.000000;0.000000;;\n" +
         "   0.000000;0.000000;0.000000;;\n";
    if (!part.texture.empty()) x += "   TextureFilename {\n    \"" + part.texture + "\";\n   }\n";
    x += "  }\n";
  }
  x += " }\n}\n";
  return x;
}

}  // namespace objects
