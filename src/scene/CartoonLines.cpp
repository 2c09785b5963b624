#include <cmath>
#include <vector>

#include "scene/CartoonBands.h"
#include "scene/CartoonView.h"
#include "scene/EdgeMap.h"

namespace {

constexpr DWORD kEndsPerBatch = 900;  // 450 lines
// Silhouette bands sit two steps of the 16-bit z-buffer in front of the surface they outline.
constexpr float kSilhouettePull = 3.06e-05f;

struct Silhouette {
  std::vector<DWORD> ends;      // two welded vertex numbers per line
  std::vector<DWORD> opposite;  // per line, the opposite corner of its front-facing face
};

bool ZeroNormal(const D3DVECTOR& n) { return n.x == 0.0f && n.y == 0.0f && n.z == 0.0f; }

double Dot(const Vector& a, const D3DVECTOR& n) { return a.x * n.x + a.y * n.y + a.z * n.z; }

Vector Difference(const D3DVECTOR& a, const D3DVECTOR& b) {
  return Vector(double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z);
}

// An edge lies on the silhouette when one of its faces faces the viewer, the other does not, and
// the surface folds away from the viewer there: the other face's opposite corner lies behind the
// plane of the face that closes the pair. A face seen exactly edge-on always closes a line.
Silhouette FindSilhouette(const CartoonView& view, const D3DRMVERTEX* vertices, const DWORD* faces,
                          const D3DVECTOR* faceNormals, DWORD vCount, DWORD fCount) {
  Silhouette found;
  EdgeMap map(vCount, fCount);
  for (DWORD f = fCount; f-- > 0;) {
    const DWORD* corner = faces + 3 * std::size_t{f};
    const D3DVECTOR& n = faceNormals[f];
    if (ZeroNormal(n)) continue;  // a face without area has no side to show
    const double d = view.Facing(n, corner[0]);
    const bool front = d < 0;
    const DWORD edges[3][3] = {{corner[0], corner[1], corner[2]},
                               {corner[0], corner[2], corner[1]},
                               {corner[1], corner[2], corner[0]}};
    for (const auto& [e0, e1, opposite] : edges) {
      const std::uint64_t key = map.Key(e0, e1);
      LONG* value = map.Find(key);
      if (!value) {
        map.Insert(key, front ? LONG(opposite) + 1 : -1 - LONG(opposite));
        continue;
      }
      const LONG v = *value;
      if (front ? v >= 0 : v <= 0) continue;
      *value = 0;
      const DWORD other = front ? DWORD(-v - 1) : DWORD(v - 1);
      const Vector fold = Difference(vertices[opposite].position, vertices[other].position);
      if ((!front && d == 0) || Dot(fold, n) > 0) {
        found.ends.push_back(e0);
        found.ends.push_back(e1);
        found.opposite.push_back(front ? opposite : other);
      }
    }
  }
  return found;
}

// One batch: the n line ends projected into vertices 1 to n, and for each line a band on the
// outer side of the outline, away from its front face's opposite corner.
void ExecuteCartoonLines(IDirect3DRMDevice* device, IDirect3DRMViewport* viewport, const CartoonView& view,
                         double width, D3DCOLOR colour, BOOL allInside, DWORD n, const DWORD* ends,
                         const D3DTLVERTEX* opposite, CartoonJoins& joins) {
  CartoonBatch batch(device, kSilhouetteBufferSize);
  view.Project(ends, n, batch.Projected());
  XASSERT_TEXT(n % 2 == 0, "(vListEnd - vList - 1) % 2 == 0", "");
  std::vector<FrontCut> cuts(n / 2);
  for (DWORD line = 0; line < n / 2; ++line)
    cuts[line] = view.CutAtFront(ends[2 * line], ends[2 * line + 1], batch.Projected()[2 * line],
                                 batch.Projected()[2 * line + 1]);
  batch.SetProjected(n, colour, view.X(), view.Y(), [](float z) { return z - kSilhouettePull; });
  joins.Clear();
  for (DWORD line = n / 2; line-- > 0;) {
    const FrontCut& cut = cuts[line];
    if (cut.hidden) continue;
    const WORD p = static_cast<WORD>(2 * line + 1), q = static_cast<WORD>(2 * line + 2);
    const D3DTLVERTEX& o = opposite[line];
    const double px = batch.Vertex(p).sx, py = batch.Vertex(p).sy;
    const double dx = double(batch.Vertex(q).sx) - px, dy = double(batch.Vertex(q).sy) - py;
    if (dx == 0 && dy == 0) continue;
    double nx = -dy, ny = dx;
    if ((o.sx - px) * nx + (o.sy - py) * ny > 0) nx = -nx, ny = -ny;
    const double length = std::sqrt(nx * nx + ny * ny);
    const double ox = nx * width / length, oy = ny * width / length;
    const auto moved = [&](WORD at) {
      D3DTLVERTEX copy = batch.Vertex(at);
      copy.sx = static_cast<float>(copy.sx + ox);
      copy.sy = static_cast<float>(copy.sy + oy);
      return batch.AddVertex(copy);
    };
    const WORD p2 = moved(p), q2 = moved(q);
    AddBand(batch, joins, {p, p2, cut.moved0 ? BandEnd::kNoJoin : ends[2 * line]},
            {q, q2, cut.moved1 ? BandEnd::kNoJoin : ends[2 * line + 1]}, dy * ox - dx * oy > 0, false);
  }
  batch.Execute(viewport, allInside != 0);
}

}  // namespace

void DrawCartoonLines(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport, const Transform& meshToWorld,
                      const Transform& meshToCamera, const D3DVECTOR& viewer, const D3DVECTOR& direction,
                      const D3DRMVERTEX* vertices, DWORD* faces, const D3DVECTOR* faceNormals, const DWORD* weldMap,
                      DWORD numShared, DWORD vCount, DWORD fCount, double width, D3DCOLOR colour, BOOL allInside,
                      const CartoonProjection& projection) {
  // Batches number their vertices in 16 bits; meshes beyond that, and empty ones, get no lines.
  if (vCount == 0 || fCount == 0 || numShared >= 0xFFFF || !weldMap || !faceNormals) return;
  const CartoonView view(viewport, meshToWorld, meshToCamera, vertices, viewer, direction, projection);
  if (!view.Drawable()) return;

  for (std::size_t i = 3 * std::size_t{fCount}; i-- > 0;) faces[i] = weldMap[faces[i]];
  const Silhouette lines = FindSilhouette(view, vertices, faces, faceNormals, vCount, fCount);
  if (lines.opposite.empty()) return;

  std::vector<D3DTLVERTEX> opposite(lines.opposite.size());
  view.Project(lines.opposite.data(), static_cast<DWORD>(opposite.size()), opposite.data());
  for (std::size_t line = 0; line < opposite.size(); ++line)
    view.CutCornerAtFront(lines.opposite[line], lines.ends[2 * line], lines.ends[2 * line + 1], opposite[line]);
  CartoonJoins joins(vCount);
  const DWORD total = static_cast<DWORD>(lines.ends.size());
  DWORD done = 0;
  while (total - done > kEndsPerBatch) {
    ExecuteCartoonLines(device, viewport, view, width, colour, allInside, kEndsPerBatch, &lines.ends[done],
                        &opposite[done / 2], joins);
    done += kEndsPerBatch;
  }
  ExecuteCartoonLines(device, viewport, view, width, colour, allInside, total - done, &lines.ends[done],
                      &opposite[done / 2], joins);
  view.Update();
}
