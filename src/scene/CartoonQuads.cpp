#include <algorithm>
#include <cmath>
#include <vector>

#include "scene/CartoonBands.h"
#include "scene/CartoonView.h"

namespace {

constexpr DWORD kEdgesPerRun = 100;
// A face turned further from the viewer than this (the cosine of about 67.5 degrees, times the
// distance in perspective) is seen at a grazing angle.
constexpr double kGrazing = -0.383;

// Surface bands move toward the viewer by a share of their remaining depth, more for near points.
float SurfacePull(float z) { return z + -0.005f * (1.0f - z); }

struct Run {
  CartoonBatch& batch;
  CartoonJoins& joins;
  std::vector<float>& pulls;  // per edge, how far its own two ends move in depth
  double half;
};

// One side of an edge: a band on the face's side of the edge, half the line's width wide (no wider than
// the face at grazing angles), sloping in depth as the face does so that the face cannot hide it.
void DrawSide(Run& run, DWORD edge, WORD e0, WORD e1, WORD opposite, DWORD end0, DWORD end1, double facing,
              double threshold) {
  CartoonBatch& batch = run.batch;
  const D3DTLVERTEX &a = batch.Vertex(e0), &b = batch.Vertex(e1), &o3 = batch.Vertex(opposite);
  const double dx = double(b.sx) - a.sx, dy = double(b.sy) - a.sy, dz = double(b.sz) - a.sz;
  const double length = std::sqrt(dx * dx + dy * dy);
  double px = -dy / length, py = dx / length;
  const double ox = double(o3.sx) - a.sx, oy = double(o3.sy) - a.sy, oz = double(o3.sz) - a.sz;
  double dist = px * ox + py * oy;
  if (dist < 0) px = -px, py = -py, dist = -dist;
  // The face's depth slope along p; a face seen edge-on has none.
  const double denominator = dy * ox - dx * oy;
  const double k =
      denominator != 0 ? ((dy * oz - dz * oy) * px + (dz * ox - dx * oz) * py) / denominator : 0.0;
  const double slope = k < 0 ? 2 * k : 0.5 * k;
  const double w = facing < threshold ? run.half : std::min(dist, run.half);
  if (slope < 0) {
    const float m = static_cast<float>(std::max(slope, w * slope));
    run.pulls[2 * edge] = std::min(run.pulls[2 * edge], m);
    run.pulls[2 * edge + 1] = std::min(run.pulls[2 * edge + 1], m);
  }
  const auto moved = [&](WORD at) {
    D3DTLVERTEX copy = batch.Vertex(at);
    copy.sx = static_cast<float>(copy.sx + w * px);
    copy.sy = static_cast<float>(copy.sy + w * py);
    copy.sz = static_cast<float>(copy.sz + w * slope);
    return batch.AddVertex(copy);
  };
  const WORD m0 = moved(e0), m1 = moved(e1);
  AddBand(batch, run.joins, {e0, m0, end0}, {e1, m1, end1}, px * dy - py * dx > 0, true);
}

void DrawRun(IDirect3DRMDevice* device, IDirect3DRMViewport* viewport, const CartoonView& view,
             const D3DVECTOR* faceNormals, const DWORD* surfEdges,
             const DWORD* surfEdgeFaces, DWORD numEdges, double width, D3DCOLOR colour, BOOL allInside,
             CartoonJoins& joins) {
  XASSERT_TEXT(numEdges * 6 < 0xFFFF, "numEdges * 6 < WORD_MAX",
               "Mesh is too complex.  D3DTRIANGLE uses WORD vertex indices");
  CartoonBatch batch(device, kSurfaceBufferSize);
  view.Project(surfEdges, 4 * numEdges, batch.Projected());
  std::vector<FrontCut> cuts(numEdges);
  for (DWORD edge = 0; edge < numEdges; ++edge) {
    const DWORD* record = surfEdges + 4 * std::size_t{edge};
    D3DTLVERTEX* projected = batch.Projected() + 4 * std::size_t{edge};
    cuts[edge] = view.CutAtFront(record[0], record[1], projected[0], projected[1]);
    if (cuts[edge].hidden) continue;
    view.CutCornerAtFront(record[2], record[0], record[1], projected[2]);
    view.CutCornerAtFront(record[3], record[0], record[1], projected[3]);
  }
  batch.SetProjected(4 * numEdges, colour, view.X(), view.Y(), SurfacePull);
  joins.Clear();
  std::vector<float> pulls(2 * std::size_t{numEdges}, 0.0f);
  Run run{batch, joins, pulls, width * 0.5};
  for (DWORD edge = numEdges; edge-- > 0;) {
    const DWORD* record = surfEdges + 4 * std::size_t{edge};
    const DWORD* pair = surfEdgeFaces + 2 * std::size_t{edge};
    const FrontCut& cut = cuts[edge];
    if (cut.hidden) continue;
    const WORD e0 = static_cast<WORD>(4 * edge + 1), e1 = static_cast<WORD>(e0 + 1);
    const double dx = double(batch.Vertex(e1).sx) - batch.Vertex(e0).sx;
    const double dy = double(batch.Vertex(e1).sy) - batch.Vertex(e0).sy;
    if (dx == 0 && dy == 0) continue;
    const double fA = view.Facing(faceNormals[pair[0]], record[0]);
    const double fB = view.Facing(faceNormals[pair[1]], record[0]);
    const double threshold = view.Orthographic() ? kGrazing : kGrazing * view.FromViewer(record[0]).Length();
    const DWORD end0 = cut.moved0 ? BandEnd::kNoJoin : record[0], end1 = cut.moved1 ? BandEnd::kNoJoin : record[1];
    if (fA < 0) DrawSide(run, edge, e0, e1, static_cast<WORD>(e0 + 2), end0, end1, fA, threshold);
    if (fB < 0) DrawSide(run, edge, e0, e1, static_cast<WORD>(e0 + 3), end0, end1, fB, threshold);
  }
  for (DWORD edge = 0; edge < numEdges; ++edge) {
    batch.Vertex(static_cast<WORD>(4 * edge + 1)).sz += pulls[2 * edge];
    batch.Vertex(static_cast<WORD>(4 * edge + 2)).sz += pulls[2 * edge + 1];
  }
  batch.Execute(viewport, allInside != 0);
  view.Update();
}

}  // namespace

void DrawCartoonQuads(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport, const Transform& meshToWorld,
                      const Transform& meshToCamera, const D3DVECTOR& viewer, const D3DVECTOR& direction,
                      const D3DRMVERTEX* vertices, const D3DVECTOR* faceNormals, DWORD vCount, const DWORD* surfEdges,
                      const DWORD* surfEdgeFaces, DWORD numEdges, double width, D3DCOLOR colour, BOOL allInside,
                      const CartoonProjection& projection) {
  if (numEdges == 0 || !surfEdges || !surfEdgeFaces || !faceNormals) return;
  const CartoonView view(viewport, meshToWorld, meshToCamera, vertices, viewer, direction, projection);
  if (!view.Drawable()) return;
  CartoonJoins joins(vCount);
  for (DWORD done = 0; done < numEdges; done += kEdgesPerRun)
    DrawRun(device, viewport, view, faceNormals, surfEdges + 4 * std::size_t{done},
            surfEdgeFaces + 2 * std::size_t{done}, std::min(kEdgesPerRun, numEdges - done), width, colour, allInside,
            joins);
}
