// conv3ds [-r] [-s<scale>] [other switches] -o <output.x> <input.3ds>
// Converts a 3D Studio file into a text .x file; exit code 0 when the output was written.
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <cstdio>
#include <fstream>

#include "Conv3dsOptions.h"
#include "XTextWriter.h"

int main(int argc, char** argv) {
  const auto options = ParseConv3dsOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options) {
    std::fprintf(stderr, "usage: conv3ds [-r] [-s<scale>] -o <output.x> <input.3ds>\n");
    return 2;
  }
  Assimp::Importer importer;
  // Left-handed with top-down texture coordinates, as .x files are; polygons as triangles,
  // every node's transform applied to its meshes.
  const aiScene* scene =
      importer.ReadFile(options->input, aiProcess_ConvertToLeftHanded | aiProcess_Triangulate |
                                            aiProcess_GenSmoothNormals | aiProcess_PreTransformVertices |
                                            aiProcess_JoinIdenticalVertices | aiProcess_SortByPType);
  if (!scene) {
    std::fprintf(stderr, "conv3ds: %s\n", importer.GetErrorString());
    return 1;
  }
  std::ofstream out(options->output, std::ios::binary | std::ios::trunc);
  WriteXText(*scene, options->scale, options->reverse, out);
  out.close();
  if (!out) {
    std::fprintf(stderr, "conv3ds: cannot write %s\n", options->output.c_str());
    return 1;
  }
  return 0;
}
