// The zoom of a scroll view: one undo record per change, the Window menu's zoom commands, and the
// screen mapping of each zoom.
#include "views/CameraWindowTestSupport.h"
#include "views/CountedClientDC.h"

namespace views_test {
namespace {

struct Zoom : CameraWindowFixture {
  LONG ZoomOf() const { return view->GetZoomNumerator().cy / view->GetZoomDenominator().cy; }
};

TEST_F(Zoom, EachChangeIsOneUndoRecordAndTheWindowMenuZoomsNeverBelowNormalSize) {
  TestCameraView& view = Window(400, 300);
  const int before = doc.GetHistory().GetCount();
  view.SetZoom(XSize(2, 2), XSize(1, 1), TRUE);
  view.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);
  view.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);  // in force already
  EXPECT_EQ(doc.GetHistory().GetCount(), before + 2);
  EXPECT_EQ(document_test::UndoText(doc), "Zoom Window");

  ASSERT_TRUE(doc.Undo(TRUE));
  EXPECT_EQ(ZoomOf(), 2);
  ASSERT_TRUE(doc.Undo(TRUE));
  EXPECT_EQ(ZoomOf(), 1);
  ASSERT_TRUE(doc.Redo(TRUE));
  EXPECT_EQ(ZoomOf(), 2);
  EXPECT_EQ(doc.GetHistory().GetCount(), before + 2);

  ASSERT_TRUE(doc.Undo(TRUE));  // back at 100%
  EXPECT_FALSE(StateOf(view, kZoomOutCommand).enabled);
  EXPECT_FALSE(StateOf(view, 32998).enabled);  // 50%
  EXPECT_EQ(StateOf(view, kNormalZoomPreset).checked, TRUE);
  view.SendMessage(WM_COMMAND, kZoomInCommand);
  view.SendMessage(WM_COMMAND, kZoomInCommand);
  EXPECT_EQ(ZoomOf(), 3);
  EXPECT_TRUE(StateOf(view, kZoomOutCommand).enabled);
  view.SendMessage(WM_COMMAND, kZoomOutCommand);
  EXPECT_EQ(ZoomOf(), 2);
  EXPECT_EQ(StateOf(view, 33000).checked, TRUE);  // 200%
  view.SendMessage(WM_COMMAND, 33008);
  EXPECT_EQ(ZoomOf(), 10);
  for (int i = 0; i < 10; ++i) view.SendMessage(WM_COMMAND, kZoomInCommand);
  EXPECT_EQ(ZoomOf(), 20);
  EXPECT_FALSE(StateOf(view, kZoomInCommand).enabled);
}

TEST_F(Zoom, AWindowPointConvertsToItsFractionalLogicalPosition) {
  TestCameraView& view = Window(400, 300);
  view.settings.orthographic = TRUE;  // no band offset
  const auto convert = [&](double x) {
    CountedClientDC dc(&view);
    XDPoint p(x, 20.0);
    dc.DPtoLP(p);
    return p.x;
  };
  EXPECT_DOUBLE_EQ(convert(10.0), 10.0);
  view.SetZoom(XSize(2, 2), XSize(1, 1), FALSE);
  EXPECT_DOUBLE_EQ(convert(5.0), 2.5);
  CountedClientDC dc(&view);
  POINT logical{3, 0};
  dc.LPtoDP(&logical);
  EXPECT_EQ(logical.x, 7);  // the middle of the zoomed pixel: 2x + 1
}

}  // namespace
}  // namespace views_test
