// The look chosen on the Artistic page reaches the camera window: a shipped textured object drawn
// "Very painted" shows fewer distinct colours than its photograph.
#include <gtest/gtest.h>

#include <QDialog>
#include <functional>
#include <set>
#include <vector>

#include "CameraWindowTestSupport.h"
#include "core/Globals.h"
#include "dialogs/EditObjectTestSupport.h"

namespace views_test {
namespace {

using edit_object_test::MeshOf;

constexpr int kSide = 96;

class EditObjectLooks : public CameraWindowFixture {
 protected:
  void SetUp() override {
    InstallInputFilter();
    InitGlobals();
    crate = new GroupSO;
    crate->AddVisual(Ptr<MeshSO>(new MeshSO(TAVROLIN_BINARY_DIR "/Objects/Crate.ulm", FALSE, nullptr, FALSE, FALSE)));
    doc.AddGroup(crate, FALSE, FALSE, 0);
    view = &Offscreen();
    view->settings.background = RGB(255, 255, 255);
    view->ShowEntireScene(doc.GetSceneBox());
  }

  void OnArtisticPage(const std::function<void(PageEditObjectArtistic&)>& user) {
    PropertySheetEditObject sheet(&doc, crate, kEditObjectArtisticPage);
    RunModal([&] { return sheet.DoModal(); },
             [&](QDialog*) {
               user(*sheet.artistic);
               Click(sheet, IDOK);
             });
  }

  // The rendered image's pixels, each as the display stores it, colour bits only.
  std::vector<DWORD> Render() {
    const XSize size(kSide, kSide);
    view->RenderImage(nullptr, FALSE, &size, nullptr);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(view->image2->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
    const DWORD colourBits = format.dwRBitMask | format.dwGBitMask | format.dwBBitMask;
    const DWORD bytes = format.dwRGBBitCount / 8;
    std::vector<DWORD> picture;
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        const BYTE* at = static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch + x * bytes;
        DWORD value = 0;
        for (DWORD b = 0; b < bytes; ++b) value |= static_cast<DWORD>(at[b]) << (8 * b);
        picture.push_back(value & colourBits);
      }
    view->image2->Unlock(desc.lpSurface);
    return picture;
  }

  static std::size_t DistinctColours(const std::vector<DWORD>& picture) {
    return std::set<DWORD>(picture.begin(), picture.end()).size();
  }

  ScriptedMessageBoxes boxes;
  Ptr<GroupSO> crate;
  X3DView* view = nullptr;
};

TEST_F(EditObjectLooks, AVeryPaintedTextureHasFewerColoursThanThePhotograph) {
  ASSERT_EQ(MeshOf(*crate).GetError(), 0);
  const std::vector<DWORD> photo = Render();
  OnArtisticPage([](PageEditObjectArtistic& page) { Click(page, 32855); });
  ASSERT_EQ(MeshOf(*crate).style, 2);
  const std::vector<DWORD> painted = Render();
  EXPECT_LT(DistinctColours(painted), DistinctColours(photo));
}

}  // namespace
}  // namespace views_test
