#include "TutorialScenes.h"

#include <numbers>
#include <vector>

#include "dialogs/DialogEditLights.h"
#include "document/UndoKind.h"
#include "document/XDocument.h"
#include "scene/MeshSO.h"
#include "views/DragGeometry.h"
#include "views/X3DView.h"

namespace tutorials {
namespace {

constexpr UINT kMoveObject = 369;
constexpr UINT kRotateObject = 370;
constexpr UINT kEditObject = 385;
constexpr LPARAM kLightsHint = 10;

// The scene being written: its document and camera window, and the comments of its records.
class Tutorial {
 public:
  Tutorial(XDocument& doc, X3DView& view, std::string objects) : doc_(doc), view_(view), objects_(std::move(objects)) {}

  // Imports an object file of the objects folder as File/Import does; null when it failed.
  Ptr<GroupSO> Import(const char* name, const char* comment) {
    const int before = doc_.GetHistory().GetCount();
    view_.ImportFile((objects_ + "/" + name + ".ulm").c_str());
    if (doc_.GetHistory().GetCount() == before) return nullptr;
    Comment(comment);
    return doc_.GetSelectedCount() == 1 ? LastGroup() : nullptr;
  }

  // Moves the centre of `group` along the camera's line of sight to `along` times its distance,
  // and to its right by `across` times that distance (left when negative).
  void Move(const Ptr<GroupSO>& group, double across, double along, const char* comment) {
    Record(kUndoTransformGroups, group, kMoveObject);
    const Transform& camera = view_.settings.transform;
    Transform placed = group->GetTransform();
    const Vector centre = Centre(group);
    const Vector eye(camera.t[0], camera.t[1], camera.t[2]);
    const double distance = (centre - eye).Length();
    const double shift[3] = {centre.x - eye.x, centre.y - eye.y, centre.z - eye.z};
    for (int i = 0; i < 3; ++i)
      placed.t[i] += (camera.m[2][i] * along + camera.m[0][i] * across) * distance - shift[i];
    group->SetTransform(placed);
    Comment(comment);
  }

  // Turns `group` about the vertical through its centre.
  void Turn(const Ptr<GroupSO>& group, double radians, const char* comment) {
    Record(kUndoTransformGroups, group, kRotateObject);
    group->SetTransform(Transform(radians, Vector(0, 1, 0), Centre(group)) * group->GetTransform());
    Comment(comment);
  }

  // The object's look through Edit Object: cartoon outlines, and the painted style when asked.
  void Outline(const Ptr<GroupSO>& group, LONG style, const char* comment) {
    doc_.RecordUndo(kUndoEditGroup, group, kEditObject);
    LONG texturesOn, oldStyle, brushSize, cartoon;
    Color silhouette, surface;
    DWORD silhouetteWidth, surfaceWidth;
    auto* mesh = static_cast<MeshSO*>(static_cast<VisualSO*>(group->GetFirstVisual()));
    mesh->GetArtistic(texturesOn, oldStyle, brushSize, cartoon, silhouette, silhouetteWidth, surface, surfaceWidth);
    group->SetArtisticAll(texturesOn, style < 0 ? oldStyle : style, brushSize, TRUE, silhouette, 2, surface,
                          surfaceWidth);
    RegenerateHint hint;
    doc_.UpdateAllViews(nullptr, 0, &hint);
    Comment(comment);
  }

  // The sun at `minutes` after six in the morning, through Edit Lights.
  void SunAt(int minutes, const char* comment) {
    doc_.RecordUndo(kUndoEditLights, nullptr, 0);
    const Ptr<GroupSO>& sun = doc_.GetSunlight();
    sun->SetTransform(SunTransformAt(minutes, sun->GetWorldTransform()));
    doc_.UpdateAllViews(nullptr, kLightsHint, nullptr);
    Comment(comment);
  }

 private:
  void Record(int kind, const Ptr<GroupSO>& group, UINT descId) {
    XList<Ptr<GroupSO>> groups;
    groups.AddTail(group);
    doc_.RecordUndo(kind, &groups, descId);
  }
  void Comment(const char* text) {
    EditHistory& history = doc_.GetHistory();
    history.GetRecord(history.GetCount() - 1)->SetComment(text);
  }
  // The centre of the group's box in the scene.
  static Vector Centre(const Ptr<GroupSO>& group) {
    const BoundingBox box = group->GetBox(nullptr);
    return group->GetTransform().TransformPoint((box.max + box.min) * 0.5);
  }
  Ptr<GroupSO> LastGroup() const {
    const XList<Ptr<GroupSO>>& groups = doc_.GetScene()->GetGroups();
    return groups.GetAt(groups.GetTailPosition());
  }

  XDocument& doc_;
  X3DView& view_;
  std::string objects_;
};

}  // namespace

bool BuildTutorial1(XDocument& doc, X3DView& view, const std::string& objects) {
  Tutorial t(doc, view, objects);
  const Ptr<GroupSO> cube = t.Import(
      "Cube",
      "Welcome!  Every line here is one edit of this scene.  Select a line, then choose Undo To or Redo To "
      "to step the scene back or forward to it.  This cube came from the 3D Objects window.");
  if (!cube) return false;
  t.Move(cube, -0.32, 1.6,
         "Move Object: pick the Move Object mode on the toolbar, then drag the object.  The status bar at "
         "the bottom always tells what the mouse will do next.");
  const Ptr<GroupSO> sphere = t.Import(
      "Sphere", "Drag an object from the 3D Objects window and drop it on a camera window to add it to the scene.");
  if (!sphere) return false;
  t.Move(sphere, 0.32, 1.6, "Each object is moved on its own: the sphere went to the right of the cube.");
  t.Turn(cube, std::numbers::pi / 5,
         "Rotate Object turns the object you drag on.  Ctrl+Z undoes the last edit, Ctrl+Y redoes it.");
  t.Outline(cube, -1,
            "Edit Object (double-click an object) sets its artistic look: this cube got cartoon outlines.");
  t.Outline(sphere, -1,
            "The sphere too.  Edit History (Ctrl+H) lets you comment every edit: type in the Comment box.");
  return true;
}

bool BuildTutorial2(XDocument& doc, X3DView& view, const std::string& objects) {
  Tutorial t(doc, view, objects);
  const Ptr<GroupSO> house = t.Import(
      "House", "A second scene: light and looks.  Undo To the first line and Redo To the last to replay it.");
  if (!house) return false;
  t.Move(house, -0.35, 1.7, "Objects keep their place while the camera moves: try Move Camera and Rotate Camera.");
  const Ptr<GroupSO> tree = t.Import("Tree", "A tree for the garden, from the 3D Objects window.");
  if (!tree) return false;
  t.Move(tree, 0.4, 1.7, "The tree moved beside the house with Move Object, as the house was.");
  t.SunAt(570, "Edit Lights sets the time of day: the sun now stands low in the late afternoon.");
  t.Outline(house, 1,
            "Edit Object on the house: a painted look with cartoon outlines.  Copy Image or Export Image "
            "turns the camera window's picture into an image.");
  t.Outline(tree, 1, "The tree painted too.  Preferences... on the Edit menu set how much history is kept.");
  return true;
}

}  // namespace tutorials
