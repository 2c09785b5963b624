// The boxes groups keep for their children, and the auxiliary groups' shown state, against a full
// recomputation after a random run of adds, deletes, transforms, selections, undos and redos.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/Globals.h"
#include "core/Preferences.h"
#include "document/DocumentTestSupport.h"

namespace {

using namespace document_test;

// A mesh object of a given box, archived without its mesh so that deleted groups come back: the
// one part in both look lists, as a scene file must hold it.
Ptr<MeshSO> BoxMesh(std::mt19937& random) {
  std::uniform_real_distribution<double> coordinate(-3.0, 3.0);
  Ptr<MeshSO> mesh(new MeshSO);
  mesh->mesh = nullptr;
  mesh->SetFile("box.x");
  Material part;
  part.name = "0";
  mesh->texMats.AddTail(part);
  mesh->untexMats.AddTail(part);
  const double x = coordinate(random), y = coordinate(random), z = coordinate(random);
  mesh->box = BoundingBox(Vector(x, y, z), Vector(x + 1, y + 2, z + 0.5));
  return mesh;
}

Transform RandomMove(std::mt19937& random) {
  std::uniform_real_distribution<double> step(-2.0, 2.0);
  Transform move(step(random), Vector(0, 1, 0));
  move.t[0] = step(random);
  move.t[2] = step(random);
  return Transform(1, 0, 0, 0, 0, 1 + step(random) / 4, 0, 0, 0, 0, 1, 0) * move;
}

bool SameBox(const BoundingBox& a, const BoundingBox& b) {
  return a.min.x == b.min.x && a.min.y == b.min.y && a.min.z == b.min.z && a.max.x == b.max.x &&
         a.max.y == b.max.y && a.max.z == b.max.z;
}

// Every group below `group`, and whether each one's kept box matches a walk that keeps nothing
// (any transform given to GetBox walks the whole tree).
void Collect(const Ptr<GroupSO>& group, std::vector<Ptr<GroupSO>>& all, int& stale) {
  const Transform identity;
  if (!SameBox(group->GetBox(nullptr), group->GetBox(&identity))) ++stale;
  for (POSITION pos = group->GetGroups().GetHeadPosition(); pos;) {
    const Ptr<GroupSO>& child = group->GetGroups().GetNext(pos);
    all.push_back(child);
    Collect(child, all, stale);
  }
}

TEST_F(SceneFixture, KeptBoxesMatchAFullRecomputationThroughARandomRunOfEdits) {
  XWritePrefBool(652, 672, 1);  // the ground follows the scene's extent
  InitGlobals();
  app.mode = kRotateObjectAboutMode;
  app.showGround = TRUE;
  doc.OnShowGroundChanged();
  std::mt19937 random(29);
  std::uniform_int_distribution<int> action(0, 7);
  for (int step = 0; step < 400; ++step) {
    std::vector<Ptr<GroupSO>> all;
    int stale = 0;
    Collect(doc.GetScene(), all, stale);
    ASSERT_EQ(stale, 0) << "step " << step;
    ASSERT_EQ(doc.HasGround(), doc.GetScene()->GetGroups().Find(doc.GetGroundPtr()) != nullptr);
    ASSERT_EQ(doc.IsRotObjAboutCylShown(),
              doc.GetScene()->GetGroups().Find(doc.GetRotObjAboutCylPtr()) != nullptr);

    std::erase_if(all, [&](const Ptr<GroupSO>& g) {
      return g == doc.GetSunlight() || g == doc.GetGroundPtr() || g == doc.GetRotObjAboutCylPtr();
    });
    if (all.empty()) all.push_back(nullptr);  // only an add then
    XList<Ptr<GroupSO>> one;
    one.AddTail(all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(random)]);
    const Ptr<GroupSO>& picked = one.GetHead();
    switch (picked ? action(random) : 0) {
      case 0:
      case 1: {
        Ptr<GroupSO> group(new GroupSO), inner(new GroupSO);
        group->AddVisual(BoxMesh(random));
        inner->AddVisual(BoxMesh(random));
        inner->SetTransform(RandomMove(random));
        group->AddGroup(inner);
        doc.AddGroup(group, step % 2, TRUE, 0);
        break;
      }
      case 2: doc.RemoveGroup(picked, TRUE, 0); break;
      case 3:
        doc.RecordUndo(kUndoTransformGroups, &one, 0);
        picked->SetTransform(RandomMove(random) * picked->GetTransform());
        doc.OnSceneExtentChanged(FALSE);
        break;
      case 4: doc.SelectOnly(picked, TRUE, 0); break;
      case 5:  // a shown mesh takes another's box, as a renamed copy does
        BoxMesh(random)->Copy(picked->GetFirstVisual(), FALSE);
        break;
      case 6:
        if (doc.GetHistory().CanUndo()) doc.Undo(FALSE);
        break;
      default:
        if (doc.GetHistory().CanRedo()) doc.Redo(FALSE);
    }
  }
}

}  // namespace
