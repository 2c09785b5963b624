// The commands of a camera window: Point Sun Light, the sheets, the zoom, and the looks it shows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "dialogs/EditObjectTestSupport.h"
#include "support/ScriptedMessageBoxes.h"
#include "views/CameraWindowTestSupport.h"
#include "views/CountedClientDC.h"

namespace views_test {
namespace {

using CameraWindowCommands = CameraWindowFixture;

TEST_F(CameraWindowCommands, TheSunFollowsALevelCameraTheSheetsOpenOnTheirPagesAndEachZoomIsOneRecord) {
  TestCameraView& view = Window();
  ScriptedMessageBoxes boxes;
  const Transform sunBefore = doc.GetSunlight()->GetTransform();
  view.settings.transform = Transform(-0.01, Vector(1, 0, 0));  // a little upwards
  view.SendMessage(WM_COMMAND, 33131);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != sunBefore);

  view.settings.transform = Transform();  // level
  view.settings.transform.t[1] = 2.0;
  view.SendMessage(WM_COMMAND, 33131);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != view.settings.transform);
  EXPECT_EQ(document_test::UndoText(doc), "Point Sun Light");

  // A sheet command opens its page; the object sheet needs one group with its own mesh.
  using document_test::NewGroup;
  const Ptr<GroupSO> chair = edit_object_test::NewObject(doc, "Chair");
  const Ptr<GroupSO> table = edit_object_test::NewObject(doc, "Table");
  const Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true), outer = NewGroup(doc, "Outer");
  outer->AddGroup(NewGroup(doc, "Inner", false, 1.0));  // its mesh lies in a child group
  const std::vector<Ptr<GroupSO>> selections[] = {{}, {chair, table}, {lamp}, {outer}, {chair}};
  for (const auto& selected : selections) {
    doc.SelectOnly(Ptr<GroupSO>(), FALSE, 0);
    for (const Ptr<GroupSO>& group : selected) doc.ToggleSelect(group, FALSE, 0);
    const bool editable = selected.size() == 1 && selected[0] == chair;
    EXPECT_EQ(StateOf(view, 33137).enabled, editable);
  }
  const OpenedDialog shown = CancelDialogOpenedBy([&] { view.SendMessage(WM_COMMAND, 10302); });
  EXPECT_EQ(shown.title + " " + std::to_string(shown.page), "Edit Object 1");

  // Each zoom is one undo record; the Window menu zooms, never below normal size.
  const auto zoom = [&] { return view.GetZoomNumerator().cy / view.GetZoomDenominator().cy; };
  const int before = doc.GetHistory().GetCount();
  view.SetZoom(XSize(2, 2), XSize(1, 1), TRUE);
  view.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);
  view.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);  // in force already
  EXPECT_EQ(doc.GetHistory().GetCount(), before + 2);
  EXPECT_EQ(document_test::UndoText(doc), "Zoom Window");

  ASSERT_TRUE(doc.Undo(TRUE));
  EXPECT_EQ(zoom(), 2);
  ASSERT_TRUE(doc.Undo(TRUE));
  EXPECT_EQ(zoom(), 1);
  EXPECT_FALSE(StateOf(view, kZoomOutCommand).enabled);
  view.SendMessage(WM_COMMAND, kZoomInCommand);
  view.SendMessage(WM_COMMAND, kZoomInCommand);
  EXPECT_EQ(zoom(), 3);
  view.SendMessage(WM_COMMAND, kZoomOutCommand);
  EXPECT_EQ(zoom(), 2);
  view.SendMessage(WM_COMMAND, 33008);
  EXPECT_EQ(zoom(), 10);
  for (int i = 0; i < 10; ++i) view.SendMessage(WM_COMMAND, kZoomInCommand);
  EXPECT_EQ(zoom(), 20);
  EXPECT_FALSE(StateOf(view, kZoomInCommand).enabled);
}

TEST_F(CameraWindowCommands, AWindowPointConvertsToItsFractionalLogicalPosition) {
  TestCameraView& view = Window(400, 300);
  view.settings.orthographic = TRUE;  // no band offset
  view.SetZoom(XSize(2, 2), XSize(1, 1), FALSE);
  CountedClientDC dc(&view);
  XDPoint point(5.0, 20.0);
  dc.DPtoLP(point);
  EXPECT_DOUBLE_EQ(point.x, 2.5);
  POINT logical{3, 0};
  dc.LPtoDP(&logical);
  EXPECT_EQ(logical.x, 7);  // the middle of the zoomed pixel: 2x + 1
}

// The window's colours, drawn off screen at the window's size.
std::size_t ColoursOf(X3DView& view) {
  const XSize size(96, 96);
  view.RenderImage(nullptr, FALSE, &size, nullptr);
  const std::vector<DWORD> pixels = SurfacePixels(view.image2, 0, 0, size.cx, size.cy);
  return std::set<DWORD>(pixels.begin(), pixels.end()).size();
}

TEST_F(CameraWindowCommands, AVeryPaintedTextureChosenOnTheArtisticPageShowsFewerColours) {
  InstallInputFilter();
  InitGlobals();
  Ptr<GroupSO> crate(new GroupSO);
  crate->AddVisual(Ptr<MeshSO>(new MeshSO(TAVROLIN_BINARY_DIR "/Objects/Crate.ulm", FALSE, nullptr, FALSE, FALSE)));
  doc.AddGroup(crate, FALSE, FALSE, 0);
  X3DView& view = Window(96, 96);
  view.ShowEntireScene(doc.GetSceneBox());
  const std::size_t photo = ColoursOf(view);
  PropertySheetEditObject sheet(&doc, crate, kEditObjectArtisticPage);
  RunThenPress(sheet, [&](QDialog*) { Click(*sheet.artistic, 32855); });  // Very painted
  ASSERT_EQ(edit_object_test::MeshOf(*crate).style, 2);
  EXPECT_LT(ColoursOf(view), photo);
}

}  // namespace
}  // namespace views_test
