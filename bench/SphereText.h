// A large text .x mesh for the loading benchmarks.
#pragma once

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

// A sphere of stacks x slices quads (2 * stacks * slices triangles) with normals and texture
// coordinates, written as a converter would write it.
inline std::string SphereText(int stacks, int slices) {
  std::string vertices, normals, uvs, faces;
  char line[128];
  const int rings = stacks + 1, columns = slices + 1;
  for (int i = 0; i < rings; ++i)
    for (int j = 0; j < columns; ++j) {
      const double theta = std::numbers::pi * i / stacks, phi = 2 * std::numbers::pi * j / slices;
      const double x = std::sin(theta) * std::cos(phi), y = std::cos(theta), z = std::sin(theta) * std::sin(phi);
      std::snprintf(line, sizeof line, "%f;%f;%f;,\n", x, y, z);
      vertices += line;
      normals += line;
      std::snprintf(line, sizeof line, "%f;%f;,\n", double(j) / slices, double(i) / stacks);
      uvs += line;
    }
  for (int i = 0; i < stacks; ++i)
    for (int j = 0; j < slices; ++j) {
      const int a = i * columns + j, b = a + columns;
      std::snprintf(line, sizeof line, "3;%d,%d,%d;,\n3;%d,%d,%d;,\n", a, b, a + 1, a + 1, b, b + 1);
      faces += line;
    }
  const std::string count = std::to_string(rings * columns), faceCount = std::to_string(2 * stacks * slices);
  return "xof 0302txt 0032\nMesh Sphere {\n" + count + ";\n" + vertices + ";\n" + faceCount + ";\n" + faces +
         ";\nMeshNormals {\n" + count + ";\n" + normals + ";\n" + faceCount + ";\n" +
         faces +  // normal i belongs to vertex i

         ";\n}\nMeshTextureCoords {\n" + count + ";\n" + uvs + ";\n}\n}\n";
}
