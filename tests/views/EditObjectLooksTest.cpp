// The look chosen on the Artistic page reaches the camera window: a shipped textured object drawn
// "Very painted" shows fewer distinct colours than its photograph, and cartoon lines outline it.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "CameraWindowTestSupport.h"
#include "core/Globals.h"
#include "dialogs/EditObjectTestSupport.h"

namespace views_test {
namespace {

const XSize kPicture(96, 96);

// The window's off-screen picture, drawn at the window's size so the lines keep their width.
std::vector<DWORD> PictureOf(X3DView& view) {
  view.RenderImage(nullptr, FALSE, &kPicture, nullptr);
  return SurfacePixels(view.image2, 0, 0, kPicture.cx, kPicture.cy);
}

std::size_t ColoursOf(X3DView& view) {
  const std::vector<DWORD> pixels = PictureOf(view);
  return std::set<DWORD>(pixels.begin(), pixels.end()).size();
}

using EditObjectLooks = CameraWindowFixture;

TEST_F(EditObjectLooks, AVeryPaintedTextureHasFewerColoursAndCartoonLinesOutlineTheObject) {
  InstallInputFilter();
  InitGlobals();
  Ptr<GroupSO> crate(new GroupSO);
  crate->AddVisual(Ptr<MeshSO>(new MeshSO(TAVROLIN_BINARY_DIR "/Objects/Crate.ulm", FALSE, nullptr, FALSE, FALSE)));
  doc.AddGroup(crate, FALSE, FALSE, 0);
  X3DView& view = Window(kPicture.cx, kPicture.cy);
  view.ShowEntireScene(doc.GetSceneBox());
  const std::size_t photo = ColoursOf(view);
  const auto choose = [&](int button) {
    PropertySheetEditObject sheet(&doc, crate, kEditObjectArtisticPage);
    RunModal([&] { return sheet.DoModal(); },
             [&](QDialog*) {
               Click(*sheet.artistic, button);
               Click(sheet, IDOK);
             });
  };
  choose(32855);  // Very painted
  ASSERT_EQ(edit_object_test::MeshOf(*crate).style, 2);
  EXPECT_LT(ColoursOf(view), photo);

  choose(32852);  // Solid color, then Cartoon lines
  choose(32856);
  ASSERT_TRUE(edit_object_test::MeshOf(*crate).cartoon);
  const std::vector<DWORD> outlined = PictureOf(view);
  edit_object_test::MeshOf(*crate).cartoon = FALSE;
  const std::vector<DWORD> plain = PictureOf(view);
  const DWORD background = plain[0];
  const auto at = [](int x, int y) { return static_cast<std::size_t>(y * kPicture.cx + x); };
  int lines = 0, outline = 0;
  for (int y = 1; y + 1 < kPicture.cy; ++y)
    for (int x = 1; x + 1 < kPicture.cx; ++x) {
      if (outlined[at(x, y)] == plain[at(x, y)]) continue;
      ++lines;
      EXPECT_EQ(outlined[at(x, y)], 0u) << x << "," << y;  // the lines' black
      bool bordersBackground = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) bordersBackground |= plain[at(x + dx, y + dy)] == background;
      outline += bordersBackground;
    }
  EXPECT_GT(lines, 0);
  EXPECT_GT(outline, 0);
}

}  // namespace
}  // namespace views_test
