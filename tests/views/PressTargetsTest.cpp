// What a press in a camera window works on: the centre a drag turns about, and the clicks it takes.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/DocumentTestSupport.h"
#include "platform/win/WindowMessages.h"
#include "support/FatalCheck.h"
#include "views/CameraDrags.h"
#include "views/PressTargets.h"

namespace document_test {
namespace {

using PressTargetsTest = SceneFixture;

TEST_F(PressTargetsTest, ADragCentresOnThePickedGroupTheSelectionOrTheScene) {
  Ptr<GroupSO> a = NewGroup(doc, "A", false, 2.0), b = NewGroup(doc, "B", false, 2.0);
  doc.AddGroup(a, FALSE, FALSE, 0);
  doc.AddGroup(b, FALSE, FALSE, 0);
  a->SetTransform(TranslationBy(Vector(4, 0, 0)));
  b->SetTransform(TranslationBy(Vector(0, 0, 6)));
  const Vector ca = a->GetWorldTransform().TransformPoint(Vector(0, 0, 0));
  // Nothing picked or selected: the scene's centre, never an unset value.
  const Vector empty = PressCenter(doc, nullptr, 15, BoundingBox(Vector(-2, 0, 0), Vector(2, 2, 2)));
  EXPECT_EQ(empty.x, 0.0);
  EXPECT_EQ(empty.y, 1.0);
  const Vector picked = PressCenter(doc, a, 3, BoundingBox());
  EXPECT_NEAR(picked.x, 4 + (a->GetBox(nullptr).min.x + a->GetBox(nullptr).max.x) / 2, 1e-12);
  doc.SelectOnly(b, FALSE, 0);
  doc.ToggleSelect(a, FALSE, 0);
  // Two selected: the centre of both world boxes, whatever was picked.
  const Transform wa = a->GetWorldTransform(), wb = b->GetWorldTransform();
  const BoundingBox boxA = a->GetBox(&wa), boxB = b->GetBox(&wb);
  const Vector both = PressCenter(doc, a, 3, BoundingBox());
  EXPECT_NEAR(both.x, (std::min(boxA.min.x, boxB.min.x) + std::max(boxA.max.x, boxB.max.x)) / 2, 1e-12);
  EXPECT_NEAR(both.z, (std::min(boxA.min.z, boxB.min.z) + std::max(boxA.max.z, boxB.max.z)) / 2, 1e-12);
  EXPECT_NE(both.x, ca.x);
  // A click on one of several selected selects it alone; a third click is a program error.
  EXPECT_FALSE(ApplyClicks(doc, 0, 1, b));
  EXPECT_EQ(doc.GetSelectedCount(), 1);
  EXPECT_FATAL(ApplyClicks(doc, 0, 3, a), "clicks > 0 && clicks < 3", "");
}

}  // namespace
}  // namespace document_test
