// What both cartoon-line drawers take from the viewport and the mesh for one frame: the
// projection mode and rectangle, the projection of mesh vertices cut at the front plane, facing
// values and the update.
#pragma once

#include "core/FatalError.h"
#include "scene/CartoonLines.h"

// What the front plane leaves of a line: nothing, or the line with either end moved onto it.
struct FrontCut {
  bool hidden = false;
  bool moved0 = false;
  bool moved1 = false;
};

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

  // Whether a mesh vertex lies before the front plane (or at or behind the eye), where the
  // surfaces are clipped away and a projection would land anywhere.
  bool BeforeFront(DWORD vertex) const {
    const double depth = camera_.TransformPoint(Position(vertex)).z;
    return depth < projection_.front || depth <= 0.0;
  }

  // Cuts the line from mesh vertex end0 to end1, projected into out0 and out1, at the front plane:
  // an end before it is projected again where the line crosses the plane.
  FrontCut CutAtFront(DWORD end0, DWORD end1, D3DTLVERTEX& out0, D3DTLVERTEX& out1) const {
    FrontCut cut{false, BeforeFront(end0), BeforeFront(end1)};
    if (cut.moved0 && cut.moved1) return {true, false, false};
    if (cut.moved0) ProjectOnFront(end0, end1, out0);
    if (cut.moved1) ProjectOnFront(end1, end0, out1);
    return cut;
  }
  // A corner of a face on the line end0-end1 (not wholly before the front plane), projected into
  // `out`, is moved along the face onto the plane when it lies before it, so that it still shows
  // on which side of the line the face lies.
  void CutCornerAtFront(DWORD corner, DWORD end0, DWORD end1, D3DTLVERTEX& out) const {
    if (!BeforeFront(corner)) return;
    if (!BeforeFront(end0))
      ProjectOnFront(corner, end0, out);
    else if (!BeforeFront(end1))
      ProjectOnFront(corner, end1, out);
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
  Vector Position(DWORD vertex) const {
    const D3DVECTOR& p = vertices_[vertex].position;
    return Vector(p.x, p.y, p.z);
  }
  // Projects the point where the line from `vertex` (before the front plane) to `toward` (on or
  // beyond it) crosses the plane.
  void ProjectOnFront(DWORD vertex, DWORD toward, D3DTLVERTEX& out) const {
    const Vector a = Position(vertex), b = Position(toward);
    const double da = camera_.TransformPoint(a).z, db = camera_.TransformPoint(b).z;
    const double t = (projection_.front - da) / (db - da);
    D3DRMVERTEX crossing{};
    crossing.position = Vector(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t).ToD3DVECTOR();
    const DWORD first = 0;
    ProjectVertices(viewport_, world_, camera_, &crossing, &first, 1, &out, projection_.zOffset, projection_.zScale,
                    projection_.centreX, projection_.centreY, projection_.scale, orthographic_ ? 1 : 0);
  }

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
