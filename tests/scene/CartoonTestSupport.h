// The cartoon tests' view: the renderer tests' camera at the origin looking along +z, on black.
#pragma once

#include <cmath>
#include <vector>

#include "platform/d3drm/RenderTestSupport.h"
#include "scene/CartoonLines.h"

class CartoonRenderTest : public RenderTest {
 public:
  bool Shows(double x, double y, std::uint32_t rgb) {
    return Pixel(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))) == rgb;
  }
  int Count(int width, int height, std::uint32_t rgb);

 protected:
  // A width x height view at flat quality, cleared; the viewport is `viewWidth` wide when given.
  void MakeView(DWORD width, DWORD height, DWORD viewWidth = 0);
  CartoonProjection Projection() const;
  // Draws one mesh group's silhouette, then surface lines seen from the origin; a width of 0 skips one.
  void DrawMesh(const std::vector<D3DRMVERTEX>& vertices, const std::vector<unsigned>& faces, double silhouetteWidth,
                double surfaceWidth, D3DCOLOR colour = 0xFFFF0000, BOOL allInside = FALSE);
};

// A cube from -h to h around `centre`: 24 vertices, one normal per side, faces turned outward.
std::vector<D3DRMVERTEX> CubeVertices(float h, D3DVECTOR centre = {0, 0, 0});
std::vector<unsigned> CubeFaces();
