// Writes the meshes of an imported scene as a text .x file: one Mesh per mesh, with normals,
// texture coordinates and one material (diffuse colour and opacity, shininess, specular and
// emissive colours, texture file name).
#pragma once

#include <ostream>

struct aiScene;

// `scale` multiplies positions; `reverse` turns every face round (winding and normals).
void WriteXText(const aiScene& scene, double scale, bool reverse, std::ostream& out);
