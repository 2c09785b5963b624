// The look chosen on the Artistic page reaches the camera window: a shipped textured object drawn
// "Very painted" shows fewer distinct colours than its photograph.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "CameraWindowTestSupport.h"
#include "core/Globals.h"
#include "dialogs/EditObjectTestSupport.h"

namespace views_test {
namespace {

using EditObjectLooks = CameraWindowFixture;

// The colours of the window's off-screen picture, as the display stores them.
std::set<DWORD> ColoursOf(X3DView& view) {
  const XSize size(96, 96);
  view.RenderImage(nullptr, FALSE, &size, nullptr);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  EXPECT_EQ(view.image2->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
  const DWORD bytes = format.dwRGBBitCount / 8;
  std::set<DWORD> colours;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) {
      DWORD value = 0;
      std::memcpy(&value, static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch + x * bytes, bytes);
      colours.insert(value & (format.dwRBitMask | format.dwGBitMask | format.dwBBitMask));
    }
  view.image2->Unlock(desc.lpSurface);
  return colours;
}

TEST_F(EditObjectLooks, AVeryPaintedTextureHasFewerColoursThanThePhotograph) {
  InstallInputFilter();
  InitGlobals();
  Ptr<GroupSO> crate(new GroupSO);
  crate->AddVisual(Ptr<MeshSO>(new MeshSO(TAVROLIN_BINARY_DIR "/Objects/Crate.ulm", FALSE, nullptr, FALSE, FALSE)));
  doc.AddGroup(crate, FALSE, FALSE, 0);
  X3DView& view = Offscreen();
  view.ShowEntireScene(doc.GetSceneBox());
  const std::size_t photo = ColoursOf(view).size();
  PropertySheetEditObject sheet(&doc, crate, kEditObjectArtisticPage);
  RunModal([&] { return sheet.DoModal(); },
           [&](QDialog*) {
             Click(*sheet.artistic, 32855);  // Very painted
             Click(sheet, IDOK);
           });
  ASSERT_EQ(edit_object_test::MeshOf(*crate).style, 2);
  EXPECT_LT(ColoursOf(view).size(), photo);
}

}  // namespace
}  // namespace views_test
