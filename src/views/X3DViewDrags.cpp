// One accepted move of a drag in a camera window: the mode's change of the camera or of the
// selected groups, from the previous accepted point to the current one. A move that the geometry
// cannot make (a ray along the ground, a point before the front plane) changes nothing.
#include <algorithm>
#include <vector>

#include "core/FatalReport.h"
#include "core/Globals.h"
#include "document/XDocument.h"
#include "scene/MeshSO.h"
#include "views/CameraDrags.h"
#include "views/DragGeometry.h"
#include "views/InteractiveModes.h"
#include "views/ObjectDrags.h"
#include "views/SceneReach.h"
#include "views/X3DView.h"

namespace {

BoundingBox WorldBox(const GroupSO& group) {
  const Transform world = group.GetWorldTransform();
  return group.GetBox(&world);
}

double HalfDiagonal(const BoundingBox& box) { return (box.max - box.min).Length() / 2.0; }

// Half the size of the first selected group, or 0 with nothing selected.
double FirstSelectedHalfSize(const XDocument& doc) {
  return doc.GetSelectedCount() ? HalfDiagonal(WorldBox(*doc.GetSelected(0))) : 0.0;
}

// Each selected group, the last first, turned or moved by `m` in world coordinates.
void TurnSelection(const XDocument& doc, const Transform& m) {
  for (int i = doc.GetSelectedCount() - 1; i >= 0; --i) MoveGroupBy(*doc.GetSelected(i), m);
}

Vector Translation(const Transform& m) { return Vector(m.t[0], m.t[1], m.t[2]); }

}  // namespace

// What every drag reads of one move: the previous point, the screen, the lens and the selection.
struct DragMoveInputs {
  POINT last;
  int dy;
  int screenWidth;
  int screenHeight;
  bool ortho;
  double front;
  int selected;
};

void X3DView::RunDrag(int mode, POINT point) {
  const DragMoveInputs in{mouseLastPoint,
                          static_cast<int>(point.y - mouseLastPoint.y),
                          Globals::GetScreenWidth(),
                          Globals::GetScreenHeight(),
                          settings.orthographic != FALSE,
                          viewport ? viewport->GetFront() : settings.front,
                          GetDocument()->GetSelectedCount()};
  // A move that would carry the camera or an object where a scene file cannot keep it, or the 3D
  // layer draw it, is taken back: a drag that goes on growing stops there.
  if (IsCameraMode(mode)) {
    const Transform before = settings.transform;
    RunCameraDrag(mode, point, in);
    if (!CameraMayStay(before, settings.transform)) settings.transform = before;
    return;
  }
  XDocument& doc = *GetDocument();
  std::vector<GroupBeforeMove> moved;
  for (int i = 0; i < doc.GetSelectedCount(); ++i) moved.emplace_back(*doc.GetSelected(i));
  if (mouseDownHeld) moved.emplace_back(*mouseDownHeld);
  if (Ptr<GroupSO>& cylinder = doc.GetRotObjAboutCylPtr()) moved.emplace_back(*cylinder);
  const Vector track = mouseDownTrack, center = mouseDownCenter;
  RunObjectDrag(mode, point, in);
  if (std::all_of(moved.begin(), moved.end(), [](const GroupBeforeMove& group) { return group.MayStay(); })) return;
  for (const GroupBeforeMove& group : moved) group.Restore();
  mouseDownTrack = track;
  mouseDownCenter = center;
}

void X3DView::RunCameraDrag(int mode, POINT point, const DragMoveInputs& in) {
  XDocument& doc = *GetDocument();
  Transform& camera = settings.transform;
  const auto apply = [&camera](const Transform& m) { camera = m * camera; };
  const auto [last, dy, screenWidth, screenHeight, ortho, front, selected] = in;
  // The depth the camera moves at: the grabbed point's or the centre's, or half the scene.
  const auto moveDepth = [&] {
    if (!in.selected) return HalfDiagonal(mouseDownSceneBox);
    const Vector anchor = IsTrackSet(mouseDownTrack) ? mouseDownTrack : mouseDownCenter;
    return Dot(ViewDirection(camera), anchor - CameraPosition(camera));
  };
  switch (mode) {
    case 5:
      if (ortho) {
        UnsetTrack(mouseDownTrack);
        apply(RotateCameraOrthographic(camera, last, point, screenWidth, screenHeight));
      } else if (auto m = RotateCameraBetween(camera, WindowRay(point).direction, WindowRay(last).direction)) {
        apply(*m);
      }
      return;
    case 6:
      if (IsTrackSet(mouseDownTrack) && Globals::GetRotateWithTracking() && !ortho) {
        const DragRay ray = WindowRay(point);
        if (auto turn = TurnTracking(camera, ray.origin, ray.direction, front, mouseDownCenter, mouseDownTrack))
          apply(turn->turn.Inverse());
      } else {
        UnsetTrack(mouseDownTrack);
        apply(TurnByMovement(camera, mouseDownCenter, last, point, screenWidth, screenHeight).Inverse());
      }
      return;
    case 7: {
      CRect client;
      GetClientRect(&client);
      if (auto m = RollCamera(camera, last, point, client.Width(), client.Height())) apply(*m);
      return;
    }
    case 8: {
      if (ortho) {
        UnsetTrack(mouseDownTrack);
        CRect client;
        GetClientRect(&client);
        apply(ViewPlaneShift(camera, point, last, settings.height, _numerator.cy, _denominator.cy, client.Width(),
                             client.Height()));
        return;
      }
      const double depth = moveDepth();
      if (front > depth && selected <= 1) return;
      const Vector under = PointAtDepth(camera, WindowRay(point).direction, depth);
      const Vector from =
          IsTrackSet(mouseDownTrack) ? mouseDownTrack : PointAtDepth(camera, WindowRay(last).direction, depth);
      apply(TranslationBy(from - under));
      return;
    }
    case 9: {
      double depth = moveDepth();
      if (front > depth && selected <= 1) return;
      UnsetTrack(mouseDownTrack);
      if (selected) depth = std::max(depth, FirstSelectedHalfSize(doc));
      apply(PushPullCamera(camera, depth, dy, screenHeight));
      return;
    }
    case 14:
      UnsetTrack(mouseDownTrack);
      apply(RaiseLowerCamera(camera, dy, screenHeight));
      return;
    case 15: {
      const Vector anchor = IsTrackSet(mouseDownTrack) ? mouseDownTrack : mouseDownCenter;
      if (auto m = MoveCameraLevel(camera, anchor, WindowRay(last).direction, WindowRay(point).direction)) apply(*m);
      return;
    }
    case 16:
      UnsetTrack(mouseDownTrack);
      // With an object pointed at and nothing selected, the object itself bounds the distance.
      if (auto m = MoveCameraTowards(camera, mouseDownCenter,
                                     selected ? FirstSelectedHalfSize(doc) : HalfDiagonal(WorldBox(*mouseDownHeld)), dy,
                                     screenHeight))
        apply(*m);
      return;
    case 17:
      UnsetTrack(mouseDownTrack);
      settings.focus = FocusAfterDrag(settings.focus, settings.focal, dy, screenHeight);
      return;
    case 18:
      UnsetTrack(mouseDownTrack);
      settings.focal = FocalAfterDrag(settings.focal, dy, screenHeight);
      return;
    case 19:
      UnsetTrack(mouseDownTrack);
      settings.fstop = FStopAfterDrag(settings.fstop, dy, screenHeight);
      return;
    default:
      XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, "0", "");
  }
}

void X3DView::RunObjectDrag(int mode, POINT point, const DragMoveInputs& in) {
  XDocument& doc = *GetDocument();
  XASSERT_TEXT(doc.GetSelectedCount(), "doc->GetSelectedCount()", "");
  const Transform& camera = settings.transform;
  const auto [last, dy, screenWidth, screenHeight, ortho, front, selected] = in;
  const double pull = PullFactor(dy, screenHeight);
  const auto anchor = [&] { return IsTrackSet(mouseDownTrack) ? mouseDownTrack : mouseDownCenter; };
  const auto depthOf = [&](const Vector& p) { return Dot(ViewDirection(camera), p - CameraPosition(camera)); };
  const auto moveSelection = [&](const Vector& v) {
    MoveSelectionBy(doc.GetSelection(), TranslationBy(v), mouseDownTrack, mouseDownCenter);
  };
  CRect client;
  GetClientRect(&client);
  switch (mode) {
    case 0: {
      UnsetTrack(mouseDownTrack);
      const double factor = SizeFactor(dy, screenHeight);
      for (int i = selected - 1; i >= 0; --i) SizeGroup(*doc.GetSelected(i), factor);
      return;
    }
    case 1:
      if (IsTrackSet(mouseDownTrack) && Globals::GetRotateWithTracking() && !ortho) {
        const DragRay ray = WindowRay(point);
        if (auto turn = TurnTracking(camera, ray.origin, ray.direction, front, mouseDownCenter, mouseDownTrack)) {
          TurnSelection(doc, turn->turn);
          mouseDownTrack = turn->point;
        }
      } else {
        UnsetTrack(mouseDownTrack);
        TurnSelection(doc, TurnByMovement(camera, mouseDownCenter, last, point, screenWidth, screenHeight));
      }
      return;
    case 2: {
      XASSERT_TEXT(selected == 1, "doc->GetSelectedCount() == 1", "");
      Ptr<GroupSO>& cylinder = doc.GetRotObjAboutCylPtr();
      if (!doc.IsRotObjAboutCylShown() || !cylinder) return;
      if (mouseDownPick.picked && mouseDownPick.group == static_cast<GroupSO*>(cylinder)) {
        if (!IsTrackSet(mouseDownTrack)) return;
        const DragRay ray = WindowRay(point);
        if (auto turn = TurnTracking(camera, ray.origin, ray.direction, front, mouseDownCenter, mouseDownTrack)) {
          MoveGroupBy(*cylinder, turn->turn);
          mouseDownTrack = turn->point;
        }
        return;
      }
      const BoundingBox meshBox = GetDocumentApp().GetCylinderMesh()->GetBoundingBox();
      MoveGroupBy(*doc.GetSelected(0), TurnAboutCylinder(camera, cylinder->GetWorldTransform(), meshBox,
                                                         mouseDownCenter, last, point, screenWidth));
      return;
    }
    case 3:
      if (ortho) {
        UnsetTrack(mouseDownTrack);
        moveSelection(Translation(ViewPlaneShift(camera, last, point, settings.height, _numerator.cy,
                                                 _denominator.cy, client.Width(), client.Height())));
      } else {
        const double depth = depthOf(anchor());
        if (front > depth && selected <= 1) return;
        moveSelection(ViewPlaneMove(camera, depth, WindowRay(point).direction, WindowRay(last).direction,
                                    mouseDownTrack));
      }
      return;
    case 4: {
      const Vector reference = anchor();
      const bool parallel = Globals::GetPushPullObjectParallel();
      const double distance = parallel ? depthOf(reference) : (reference - CameraPosition(camera)).Length();
      if (front > distance && selected <= 1) return;
      UnsetTrack(mouseDownTrack);
      if (auto step = SightStep(camera, reference, mouseDownCenter, parallel, FirstSelectedHalfSize(doc), front, pull))
        moveSelection(*step);
      return;
    }
    case 10:
      UnsetTrack(mouseDownTrack);
      moveSelection(Vector(0.0, RaiseLowerStep(mouseDownCenter, FirstSelectedHalfSize(doc), pull), 0.0));
      return;
    case 11: {
      const Vector reference = anchor();
      if (front > depthOf(reference) && selected <= 1) return;
      if (auto move = LevelObjectMove(reference, WindowRay(point), WindowRay(last), mouseDownTrack)) moveSelection(*move);
      return;
    }
    case 12: {
      Vector move(0.0, 0.0, 0.0);
      const POINT sideways{last.x, point.y};
      if (ortho) {
        UnsetTrack(mouseDownTrack);
        move = Translation(ViewPlaneShift(camera, sideways, point, settings.height, _numerator.cy, _denominator.cy,
                                          client.Width(), client.Height()));
      } else if (const double depth = depthOf(anchor()); !(front > depth && selected <= 1)) {
        UnsetTrack(mouseDownTrack);
        move = PointAtDepth(camera, WindowRay(point).direction, depth) -
               PointAtDepth(camera, WindowRay(sideways).direction, depth);
      }
      const Vector reference = anchor();
      if (auto step = SightStep(camera, reference, reference, Globals::GetPushPullObjectParallel(), FirstSelectedHalfSize(doc),
                                front, pull))
        move = move + *step;
      moveSelection(move);
      return;
    }
    case 13: {
      XASSERT_TEXT(mouseDownPick.picked, "mouseDownPick.picked", "");
      XASSERT_TEXT(selected == 1, "doc->GetSelectedCount() == 1", "");
      XASSERT_TEXT(!doc.IsSelected(mouseDownHeld), "!doc->IsSelected( mouseDownPick.group )", "");
      UnsetTrack(mouseDownTrack);
      const BoundingBox box = WorldBox(*doc.GetSelected(0));
      if (auto move = TowardsObjectMove(mouseDownCenter, (box.min + box.max) * 0.5, HalfDiagonal(box), pull)) {
        const Transform m = TranslationBy(*move);
        MoveGroupBy(*mouseDownHeld, m);
        mouseDownCenter = m.TransformPoint(mouseDownCenter);
      }
      return;
    }
    default:
      XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, "0", "");
  }
}
