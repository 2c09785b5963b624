// What both cartoon-line drawers take from the viewport and the mesh for one frame: the
// projection mode and rectangle, the projection of mesh vertices, facing values and the update.
#pragma once

#include "core/FatalError.h"
#include "scene/CartoonLines.h"

class CartoonView {
 public:
  CartoonView(IDirect3DRMViewport* viewport, const Transform& meshToWorld, const Transform& meshToCamera,
              const D3DRMVERTEX* vertices, const D3DVECTOR& viewer, const D3DVECTOR& direction,
              const CartoonProjection& projection)
      : viewport_(viewport), world_(meshToWorld), camera_(meshToCamera), vertices_(vertices), viewer_(viewer),
        direction_(direction), projection_(projection),
        orthographic_(viewport->GetProjection() == D3DRMPROJECT_ORTHOGRAPHIC), x_(viewport->GetX()),
        y_(viewport->GetY()), width_(viewport->GetWidth()), height_(viewport->GetHeight()) {}

  // Culling needs a rectangle of at least 2 x 2 pixels; a smaller viewport gets no lines.
  bool Drawable() const { return width_ >= 2 && height_ >= 2; }
  bool Orthographic() const { return orthographic_; }
  LONG X() const { return x_; }
  LONG Y() const { return y_; }

  // Projects vertices[indices[i]] into out[i] for i < count.
  void Project(const DWORD* indices, DWORD count, D3DTLVERTEX* out) const {
    ProjectVertices(viewport_, world_, camera_, vertices_, indices, count, out, projection_.zOffset, projection_.zScale,
                    projection_.centreX, projection_.centreY, projection_.scale, orthographic_ ? 1 : 0);
  }

  // Position(i) minus the viewer's position.
  Vector FromViewer(DWORD vertex) const {
    const D3DVECTOR& p = vertices_[vertex].position;
    return Vector(double(p.x) - viewer_.x, double(p.y) - viewer_.y, double(p.z) - viewer_.z);
  }
  // The facing value of a face with normal n seen at `vertex`: below 0 when the face faces the
  // viewer.
  double Facing(const D3DVECTOR& n, DWORD vertex) const {
    const Vector v = orthographic_ ? Vector(direction_.x, direction_.y, direction_.z) : FromViewer(vertex);
    return n.x * v.x + n.y * v.y + n.z * v.z;
  }

  // Marks the whole viewport for the device's next update.
  void Update() const {
    IDirect3DRMViewport* viewport = viewport_;
    const LONG viewX = x_, viewY = y_;
    XCHECK_D3DRM(viewport->ForceUpdate( viewX, viewY, viewX + viewport->GetWidth(), viewY + viewport->GetHeight() ));
  }

 private:
  IDirect3DRMViewport* viewport_;
  const Transform& world_;
  const Transform& camera_;
  const D3DRMVERTEX* vertices_;
  D3DVECTOR viewer_;
  D3DVECTOR direction_;
  CartoonProjection projection_;
  bool orthographic_;
  LONG x_, y_;
  DWORD width_, height_;
};
