// The Artistic page: each look edits its own part list, cartoon lines switch the look, shininess
// and highlights go together, and the pattern number follows what is typed; a refused number
// never lets the values shown land in another look's list.
#include <gtest/gtest.h>

#include "EditObjectTestSupport.h"

namespace {

using namespace edit_object_test;

class ArtisticPageTest : public EditObjectFixture {
 protected:
  // Opens the Artistic page of `group`; `user` acts on the page, then OK is pressed.
  void OnPage(GroupSO& group, const std::function<void(PageEditObjectArtistic&)>& user) {
    Run(group, kEditObjectArtisticPage, [&](PropertySheetEditObject& sheet, QDialog*) { user(*sheet.artistic); });
  }
  static bool Checked(PageEditObjectArtistic& page, int id) {
    return static_cast<CButton*>(page.GetDlgItem(id))->GetCheck() == BST_CHECKED;
  }
};

TEST_F(ArtisticPageTest, EachLookKeepsItsOwnPartsAndOpacityIsOnlySolidColors) {
  Ptr<GroupSO> group = AddObject("Chair", {.textured = true});
  MeshSO& mesh = MeshOf(*group);
  XList<Material> textured;
  mesh.GetTexMats(textured);
  OnPage(*group, [&](PageEditObjectArtistic& page) {
    EXPECT_FALSE(Control(page, 32883)->isEnabled());
    EXPECT_EQ(page.m_partColorButton.m_color.GetCOLORREF(), Part(mesh.texMats, 0).diffuse.GetCOLORREF());
    Click(page, 32852);
    EXPECT_EQ(page.m_partColorButton.m_color.GetCOLORREF(), Part(mesh.untexMats, 0).diffuse.GetCOLORREF());
    Press(page, 32883, Qt::Key_Home);  // fully transparent
    Click(page, 32853);
  });
  EXPECT_EQ(Part(mesh.untexMats, 0).diffuse.a, 0.0);
  EXPECT_EQ(Part(mesh.untexMats, 1).diffuse.a, 1.0);
  EXPECT_TRUE(MeshSO::SameMaterials(mesh.texMats, textured));
  EXPECT_EQ(mesh.texturesOn, 1);
}

TEST_F(ArtisticPageTest, CartoonLinesGoWithSolidColors) {
  for (bool textured : {true, false}) {
    Ptr<GroupSO> group = AddObject("Chair", {.textured = textured});
    OnPage(*group, [&](PageEditObjectArtistic& page) {
      EXPECT_FALSE(Control(page, 32858)->isVisible());
      Click(page, 32856);
      EXPECT_TRUE(Checked(page, 32852));
      EXPECT_TRUE(Control(page, 32858)->isVisible());
      Click(page, 32856);  // back to the photograph where there is one
      EXPECT_EQ(Checked(page, 32853), textured);
    });
  }
}

TEST_F(ArtisticPageTest, UntouchedShininessStaysExactAndNoShineMeansNoHighlights) {
  Ptr<GroupSO> group = AddObject("Chair");
  MeshSO& mesh = MeshOf(*group);
  Part(mesh.untexMats, 0).shininess = 123.456;
  const int records = Records();
  OnPage(*group, [&](PageEditObjectArtistic& page) {
    EXPECT_TRUE(Control(page, 32870)->isEnabled());
    Press(page, 32862, Qt::Key_Down);  // the second part: shininess 0
    EXPECT_FALSE(Control(page, 32870)->isEnabled());
    EXPECT_EQ(page.m_highlightButton.m_color.GetCOLORREF(), RGB(0, 0, 0));
    EXPECT_EQ(page.m_highlightSlider.GetPos(), page.m_highlightSlider.GetRangeMax());
    Press(page, 32871, Qt::Key_Right);
    EXPECT_TRUE(Control(page, 32870)->isEnabled());
    Press(page, 32871, Qt::Key_Left);
    Press(page, 32862, Qt::Key_Up);
  });
  EXPECT_EQ(Records(), records);
  EXPECT_EQ(Part(mesh.untexMats, 0).shininess, 123.456);
}

TEST_F(ArtisticPageTest, PatternNumberFollowsTypingAndARefusedNumberKeepsTheLookShown) {
  Ptr<GroupSO> group = AddObject("Chair", {.textured = true});
  MeshSO& mesh = MeshOf(*group);
  for (XList<Material>* list : {&mesh.texMats, &mesh.untexMats}) {
    Part(*list, 0).lighting = 0;
    Part(*list, 0).patternOn = 1;
  }
  XList<Material> solid;
  mesh.GetUntexMats(solid);
  OnPage(*group, [](PageEditObjectArtistic& page) {
    Type(page, 32877, "77");
    EXPECT_EQ(page.m_patternSlider.GetPos(), 77);
  });
  EXPECT_EQ(Part(mesh.texMats, 0).patternNumber, 77);

  const std::size_t shown = boxes.boxes.size();
  OnPage(*group, [&](PageEditObjectArtistic& page) {
    Type(page, 32877, "0");
    EXPECT_EQ(page.m_patternSlider.GetPos(), 77);
    Click(page, 32852);  // refused: the page stays on Photo
    EXPECT_TRUE(Checked(page, 32853));
    Click(page, 32856);  // refused: no cartoon lines over the photograph
    EXPECT_FALSE(Checked(page, 32856));
    Type(page, 32877, "5");
  });
  EXPECT_EQ(boxes.boxes.size() - shown, 3u);
  EXPECT_EQ(mesh.cartoon, 0);
  EXPECT_EQ(Part(mesh.texMats, 0).patternNumber, 5);
  EXPECT_TRUE(MeshSO::SameMaterials(mesh.untexMats, solid));
}

}  // namespace
