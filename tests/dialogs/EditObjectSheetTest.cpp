// The Edit Object sheet: one "Edit Object" record per OK, sizes, names, looks, highlights and patterns.
#include <cmath>

#include "EditObjectTestSupport.h"

namespace {

using document_test::UndoText;
using namespace edit_object_test;

class EditObjectSheetTest : public SceneDialogTest {
 protected:
  Ptr<GroupSO> AddObject(const char* name, Look look = {}) { return NewObject(doc, name, look); }

  // Runs the sheet on `group` opened at `page`; `user` acts, then OK is pressed.
  void Run(GroupSO& group, UINT page, const std::function<void(PropertySheetEditObject&, QDialog*)>& user) {
    PropertySheetEditObject sheet(&doc, &group, page);
    RunThenPress(sheet, [&](QDialog* window) { user(sheet, window); });
  }
  // Opens the Artistic page of `group`; `user` acts on the page, then OK is pressed.
  void OnArtistic(GroupSO& group, const std::function<void(PageEditObjectArtistic&)>& user) {
    Run(group, kEditObjectArtisticPage, [&](PropertySheetEditObject& sheet, QDialog*) { user(*sheet.artistic); });
  }
};

Vector BoxCentreInWorld(const GroupSO& group) {
  return group.GetWorldTransform().TransformPoint(BoundingBox::GetBoundingSphere(group.GetBox(nullptr)).center);
}

TEST_F(EditObjectSheetTest, OKMakesNoRecordUntilSomethingChangesAndOneUndoRestoresSizeAndLook) {
  // Scales that do not survive 15 digits of text exactly, and a quality beyond the slider's ends.
  Ptr<GroupSO> group = AddObject("Chair", {.textured = true, .quality = 5});
  group->scale = Vector(1.0 / 3.0, 0.7, 2.0 / 7.0);
  const int records = Records();
  for (UINT start : {kEditObjectGeneralPage, kEditObjectArtisticPage})
    Run(*group, start, [&](PropertySheetEditObject&, QDialog* window) { ClickTab(window, static_cast<int>(1 - start)); });
  EXPECT_EQ(Records(), records);
  EXPECT_EQ(group->scale.x, 1.0 / 3.0);

  Run(*group, kEditObjectGeneralPage, [](PropertySheetEditObject& sheet, QDialog* window) {
    Press(*sheet.general, 32841, Qt::Key_Home);
    EXPECT_TRUE(Checked(*sheet.general, 32772));  // distorted: only the width changes
    Type(*sheet.general, 32775, "4");
    ClickTab(window, 1);
    Click(*sheet.artistic, 32852);  // Solid color
  });
  EXPECT_EQ(Records(), records + 1);
  EXPECT_EQ(MeshOf(*group).GetQuality(), -3);
  EXPECT_EQ(MeshOf(*group).texturesOn, 0);
  EXPECT_NE(group->scale.x, 1.0 / 3.0);
  EXPECT_EQ(group->scale.y, 0.7);
  doc.OnEditUndo();
  EXPECT_EQ(MeshOf(*group).GetQuality(), 5);
  EXPECT_EQ(MeshOf(*group).texturesOn, 1);
  EXPECT_EQ(group->scale.x, 1.0 / 3.0);
  EXPECT_FALSE(group->GetTransform() != Transform());
}

TEST_F(EditObjectSheetTest, DoublingTheWidthDoublesTheObjectAboutItsBoxCentreAndAFlatOneStaysEditable) {
  Ptr<GroupSO> group = AddObject("Chair");
  group->SetTransform(Transform(0, 0, 1, 3, 1, 0, 0, -2, 0, 1, 0, 5));
  const Vector base = [&] {
    const BoundingBox box = group->GetBox(nullptr);
    return Vector(box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z);
  }();
  group->scale = Vector(1 / base.x, 1 / base.x, 1 / base.x);  // one metre wide, in proportion
  const Vector centre = BoxCentreInWorld(*group);
  Run(*group, kEditObjectGeneralPage, [&](PropertySheetEditObject& sheet, QDialog*) {
    EXPECT_EQ(TextOf(*sheet.general, 32775), "1");
    Type(*sheet.general, 32775, "0.5");  // "0" and "0." are no errors while typing
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_DOUBLE_EQ(sheet.general->m_height, 0.5 * base.y / base.x);
    Type(*sheet.general, 32775, "2");
    EXPECT_DOUBLE_EQ(sheet.general->m_height, 2 * base.y / base.x);
  });
  EXPECT_EQ(UndoText(doc), "Edit Object Chair");
  EXPECT_DOUBLE_EQ(group->scale.x, 2 / base.x);
  EXPECT_DOUBLE_EQ(group->scale.z, 2 / base.x);
  const Vector moved = BoxCentreInWorld(*group);
  EXPECT_LT(std::hypot(moved.x - centre.x, moved.y - centre.y, moved.z - centre.z), 1e-12);

  // A flat object shows its flat side as 0 and stays editable.
  Ptr<GroupSO> mat = AddObject("Mat", {.flat = true});
  Run(*mat, kEditObjectGeneralPage, [](PropertySheetEditObject& sheet, QDialog*) {
    PageEditObjectGeneral& page = *sheet.general;
    EXPECT_EQ(TextOf(page, 32774), "0");
    EXPECT_FALSE(Control(page, 32774)->isEnabled());
    Type(page, 32775, "3");
    EXPECT_EQ(TextOf(page, 32774), "0");
  });
  EXPECT_NE(mat->scale.x, 1.0);
  EXPECT_EQ(mat->scale.y, 1.0);
  for (const auto& row : mat->GetTransform().m)
    for (double value : row) EXPECT_TRUE(std::isfinite(value));
}

// With "Allow distorted dimensions" off the sizes keep the object's proportions, so every axis
// with extent keeps one scale and the box is still off when the sheet opens again.
TEST_F(EditObjectSheetTest, AnEditInProportionLeavesOneScaleAndTheBoxOff) {
  struct Case {
    const char* what;
    Vector scale;
    bool flat;
    int edit;  // the dimension typed, or 0: the box is unticked instead
    const char* typed;
  };
  const Case cases[] = {
      {"width", {1, 1, 1}, false, 32775, "0.6"},
      {"height", {1, 1, 1}, false, 32774, "0.37"},
      {"depth", {0.9, 0.9, 0.9}, false, 32773, "1.3"},
      {"width of a flat object", {1, 1, 1}, true, 32775, "0.6"},
      {"box unticked on a distorted object", {0.7, 1.9, 2.3}, false, 0, ""},
  };
  for (const Case& c : cases) {
    Ptr<GroupSO> group = AddObject("Chair", {.flat = c.flat});
    group->scale = c.scale;
    Run(*group, kEditObjectGeneralPage, [&](PropertySheetEditObject& sheet, QDialog*) {
      ASSERT_EQ(Checked(*sheet.general, 32772), c.edit == 0) << c.what;
      if (c.edit == 0) {
        Click(*sheet.general, 32772);
        return;
      }
      Type(*sheet.general, c.edit, c.typed);
      Press(*sheet.general, c.edit, Qt::Key_Tab);
    });
    EXPECT_EQ(group->scale.z, group->scale.x) << c.what;
    if (!c.flat) {
      EXPECT_EQ(group->scale.y, group->scale.x) << c.what;
    }
    Run(*group, kEditObjectGeneralPage, [&](PropertySheetEditObject& sheet, QDialog*) {
      EXPECT_FALSE(Checked(*sheet.general, 32772)) << c.what;
      if (c.edit != 0) {
        EXPECT_EQ(TextOf(*sheet.general, c.edit), c.typed) << c.what;
      }
    });
  }
}

TEST_F(EditObjectSheetTest, ADimensionBeyondTheSizesAnEditMayGiveIsRefusedWithItsRange) {
  Ptr<GroupSO> group = AddObject("Chair");
  const BoundingBox box = group->GetBox(nullptr);
  const double wide = 1 / (box.max.x - box.min.x);
  group->scale = Vector(wide, wide, wide);  // one metre wide
  Run(*group, kEditObjectGeneralPage, [&](PropertySheetEditObject& sheet, QDialog* window) {
    Type(*sheet.general, 32775, "1e13");
    Click(sheet, IDOK);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text.rfind("Please enter a number between ", 0), 0u) << boxes.boxes[0].text;
    Type(*sheet.general, 32775, "5e11");
  });
  EXPECT_EQ(boxes.boxes.size(), 1u);
  for (int axis = 0; axis < 3; ++axis) EXPECT_NEAR(AxisScale(group->GetTransform(), axis) / 5e11, 1.0, 1e-9);
}

// Renaming to "Lamp", whose objects share their look; the width changed in the same OK always applies.
TEST_F(EditObjectSheetTest, NamesOfSharedObjectsAreRefusedOrConfirmedFirst) {
  struct Case {
    bool sameFile;      // the other object comes from the edited one's file
    bool turnCopiesOn;  // the user checks "Edit all copies"
    std::initializer_list<int> answers;
    std::size_t questions;
    bool renamed;
  } const cases[] = {
      {false, true, {}, 2, false},             // another kind: refused when renaming and when joining
      {true, true, {IDNO}, 1, false},          // looks different: No keeps the name, joins nothing
      {true, true, {IDYES, IDYES}, 2, true},   // Yes to the name, Yes to joining
      {true, false, {}, 0, true},              // copies not shared: no question
  };
  for (const Case& c : cases) {
    Ptr<GroupSO> other = AddObject("Lamp");
    Ptr<GroupSO> group = AddObject("Chair");
    if (c.sameFile) {
      MeshOf(*other).SetFile("objects/lamp.tvo");
      MeshOf(*group).SetFile("objects/lamp.tvo");
    }
    Part(MeshOf(*other).texMats, 0).shininess = 5.0;
    MeshOf(*other).SetEditAllCopies(TRUE, other);
    const std::size_t shown = boxes.boxes.size();
    boxes.Answer(c.answers);
    Run(*group, kEditObjectGeneralPage, [&](PropertySheetEditObject& sheet, QDialog*) {
      Click(*sheet.general, 32772);
      if (c.turnCopiesOn) Click(*sheet.general, 32880);
      Type(*sheet.general, 32842, "Lamp");
      Type(*sheet.general, 32775, "3");
    });
    EXPECT_EQ(boxes.boxes.size() - shown, c.questions) << &c - cases;
    EXPECT_EQ(MeshOf(*group).GetName() == "Lamp", c.renamed) << &c - cases;
    EXPECT_NE(group->scale.x, 1.0);
    XList<Ptr<GroupSO>> both;
    both.AddTail(other);
    both.AddTail(group);
    doc.RemoveGroups(both, FALSE, 0);
  }
}

// Cartoon lines and opacity go with solid colours; a part without shine has no highlights.
TEST_F(EditObjectSheetTest, EachLookKeepsItsOwnPartsAndAnUntouchedShininessStaysExact) {
  Ptr<GroupSO> group = AddObject("Chair", {.textured = true});
  MeshSO& mesh = MeshOf(*group);
  Part(mesh.untexMats, 0).shininess = 123.456;
  XList<Material> textured;
  mesh.GetTexMats(textured);
  OnArtistic(*group, [&](PageEditObjectArtistic& page) {
    EXPECT_FALSE(Control(page, 32883)->isEnabled());
    EXPECT_FALSE(Control(page, 32858)->isVisible());
    EXPECT_EQ(page.m_partColorButton.m_color.GetCOLORREF(), Part(mesh.texMats, 0).diffuse.GetCOLORREF());
    Click(page, 32856);  // cartoon lines
    EXPECT_TRUE(Checked(page, 32852));
    EXPECT_TRUE(Control(page, 32858)->isVisible());
    EXPECT_EQ(page.m_partColorButton.m_color.GetCOLORREF(), Part(mesh.untexMats, 0).diffuse.GetCOLORREF());
    EXPECT_TRUE(Control(page, 32870)->isEnabled());
    Press(page, 32862, Qt::Key_Down);  // the second part: shininess 0
    EXPECT_FALSE(Control(page, 32870)->isEnabled());
    Press(page, 32862, Qt::Key_Up);
    Press(page, 32883, Qt::Key_Home);  // fully transparent
    Click(page, 32856);  // no lines: back to the photograph
    EXPECT_TRUE(Checked(page, 32853));
  });
  EXPECT_EQ(Part(mesh.untexMats, 0).diffuse.a, 0.0);
  EXPECT_EQ(Part(mesh.untexMats, 1).diffuse.a, 1.0);
  EXPECT_EQ(Part(mesh.untexMats, 0).shininess, 123.456);
  EXPECT_TRUE(MeshSO::SameMaterials(mesh.texMats, textured));
  EXPECT_EQ(mesh.texturesOn, 1);
  EXPECT_EQ(mesh.cartoon, 0);
}

TEST_F(EditObjectSheetTest, ValuesPastTheSlidersEndsShowAtTheEndsTheyPass) {
  Ptr<GroupSO> group = AddObject("Chair");
  Material& part = Part(MeshOf(*group).untexMats, 0);
  part.diffuse.luminance = 1e300;
  part.diffuse.a = 1e300;
  part.shininess = 1e30;
  Part(MeshOf(*group).untexMats, 1).diffuse.luminance = -1e300;
  OnArtistic(*group, [&](PageEditObjectArtistic& page) {
    EXPECT_EQ(page.m_colorSlider.GetPos(), 1000);
    EXPECT_EQ(page.m_opacitySlider.GetPos(), 1000);
    EXPECT_EQ(page.m_shininessSlider.GetPos(), page.m_shininessSlider.GetRangeMax());
    Press(page, 32862, Qt::Key_Down);  // the second part
    EXPECT_EQ(page.m_colorSlider.GetPos(), 0);
  });
}

TEST_F(EditObjectSheetTest, PatternNumberFollowsTypingAndARefusedNumberKeepsTheLookShown) {
  Ptr<GroupSO> group = AddObject("Chair", {.textured = true});
  MeshSO& mesh = MeshOf(*group);
  for (XList<Material>* list : {&mesh.texMats, &mesh.untexMats}) {
    Part(*list, 0).lighting = 0;
    Part(*list, 0).patternOn = 1;
    Part(*list, 0).patternNumber = 77;
  }
  XList<Material> solid;
  mesh.GetUntexMats(solid);
  const std::size_t shown = boxes.boxes.size();
  OnArtistic(*group, [&](PageEditObjectArtistic& page) {
    Type(page, 32877, "0");  // no message while typing
    EXPECT_EQ(page.m_patternSlider.GetPos(), 77);
    Click(page, 32852);  // refused: the page stays on Photo
    EXPECT_TRUE(Checked(page, 32853));
    Click(page, 32856);  // refused: no cartoon lines over the photograph
    EXPECT_FALSE(Checked(page, 32856));
    Type(page, 32877, "5");
    EXPECT_EQ(page.m_patternSlider.GetPos(), 5);
  });
  EXPECT_EQ(boxes.boxes.size() - shown, 2u);  // one for each refused click
  EXPECT_EQ(mesh.cartoon, 0);
  EXPECT_EQ(Part(mesh.texMats, 0).patternNumber, 5);
  EXPECT_TRUE(MeshSO::SameMaterials(mesh.untexMats, solid));
}

}  // namespace
