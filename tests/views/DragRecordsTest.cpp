#include <gtest/gtest.h>

#include "document/DocumentTestSupport.h"
#include "views/CameraDrags.h"
#include "views/DragGeometry.h"
#include "views/DragRecords.h"
#include "views/ObjectDrags.h"
#include "views/SunFromCamera.h"

namespace document_test {
namespace {

using DragRecordsTest = SceneFixture;

TEST_F(DragRecordsTest, OneRecordPerFamilyAndUndoRestoresTransformsAndScales) {
  Ptr<GroupSO> a = NewGroup(doc, "Chair"), b = NewGroup(doc, "Table");
  doc.AddGroup(a, FALSE, FALSE, 0);
  doc.AddGroup(b, FALSE, FALSE, 0);
  doc.SelectOnly(a, FALSE, 0);
  const Transform before = a->GetTransform();
  const int records = doc.GetHistory().GetCount();

  // Move (3), then raise (10, same family), then size (0, a new family).
  Vector track(0, 0, 0), center(0, 0, 0);
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 3, -1, a);
  MoveSelectionBy(doc.GetSelection(), TranslationBy(Vector(1, 0, 0)), track, center);
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 10, 3, a);
  MoveSelectionBy(doc.GetSelection(), TranslationBy(Vector(0, 1, 0)), track, center);
  EXPECT_EQ(doc.GetHistory().GetCount(), records + 1);
  EXPECT_EQ(UndoText(doc), "Move Object Chair");
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 0, 10, a);
  SizeGroup(*a, 2.0);
  EXPECT_EQ(UndoText(doc), "Size Object Chair");
  EXPECT_EQ(a->scale.x, 2.0);

  doc.Undo(TRUE);
  EXPECT_EQ(a->scale.x, 1.0);
  EXPECT_EQ(a->GetTransform().t[1], 1.0);
  doc.Undo(TRUE);
  EXPECT_FALSE(a->GetTransform() != before);
  EXPECT_FALSE(b->GetTransform() != before);
}

TEST_F(DragRecordsTest, RotateObjectAboutRecordsTheSelectedObjectUnlessTheCylinderIsDragged) {
  app.mode = 2;
  Ptr<GroupSO> a = NewGroup(doc, "Chair"), b = NewGroup(doc, "Table");
  doc.AddGroup(a, FALSE, FALSE, 0);
  doc.AddGroup(b, FALSE, FALSE, 0);
  doc.SelectOnly(a, FALSE, 0);
  const Transform before = a->GetTransform();
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 2, -1, b);  // pressed on the table
  EXPECT_EQ(UndoText(doc), "Rotate Object Chair");
  MoveGroupBy(*a, Transform(0.5, Vector(0, 1, 0)));
  doc.Undo(TRUE);
  EXPECT_FALSE(a->GetTransform() != before);

  Ptr<GroupSO> cylinder = doc.GetRotObjAboutCylPtr();
  ASSERT_TRUE(cylinder);
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 2, -1, cylinder);
  EXPECT_EQ(UndoText(doc), "Rotate Cylinder (Rotate Object About)");
}

TEST_F(DragRecordsTest, CameraFamiliesRecordTheWindow) {
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 5, -1, nullptr);
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 6, 5, nullptr);
  EXPECT_EQ(UndoText(doc), "Rotate Camera Around");
  const int records = doc.GetHistory().GetCount();
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 9, 8, nullptr);
  SwitchInteractiveModification(doc, static_cast<CView*>(&View()), 16, 15, nullptr);
  EXPECT_EQ(doc.GetHistory().GetCount(), records);
}

TEST_F(DragRecordsTest, TheSunTakesALevelOrDownwardCameraAsOneStep) {
  const Transform upward(0.1, Vector(-1, 0, 0), Vector(0, 0, 0));
  const Transform before = doc.GetSunlight()->GetTransform();
  ASSERT_TRUE(LooksUpward(upward));
  EXPECT_FALSE(PointSunLight(doc, upward));
  const Transform level(1, 0, 0, 1, 0, 1, 0, 5, 0, 0, 1, 2);
  EXPECT_TRUE(PointSunLight(doc, level));
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != level);
  EXPECT_EQ(UndoText(doc), "Point Sun Light");
  doc.Undo(TRUE);
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != before);
}

}  // namespace
}  // namespace document_test
