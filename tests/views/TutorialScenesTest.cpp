// The tutorial scenes the build makes beside the program: each opens in the started program with
// its objects found in the objects folder, renders them with their cartoon lines, and undoes and
// redoes through its whole history, every record carrying a guiding comment.
#include "document/DocumentTestSupport.h"
#include "views/StartedProgram.h"

namespace {

// The pixels of a rendered 24-bit bitmap file that are near black: the cartoon lines.
int DarkPixels(const std::vector<BYTE>& bmp) {
  int dark = 0;
  for (std::size_t i = 54; i + 2 < bmp.size(); i += 3) dark += bmp[i] < 40 && bmp[i + 1] < 40 && bmp[i + 2] < 40;
  return dark;
}

using TutorialScenes = StartedProgram;

TEST_F(TutorialScenes, BothOpenRenderAndUndoThroughTheirHistories) {
  for (const char* name : {"Tutorial1.tvr", "Tutorial2.tvr"}) {
    SCOPED_TRACE(name);
    const std::string path = std::string(TAVROLIN_BINARY_DIR) + "/bin/" + name;
    auto* doc = static_cast<XDocument*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(boxes.boxes.empty());  // no object file was missing
    X3DView* view = Views(*doc).at(0);
    EXPECT_GT(DarkPixels(view->RenderBitmapFile(200, 150, false)), 30);

    const EditHistory& history = doc->GetHistory();
    ASSERT_GE(history.GetCount(), 5);
    EXPECT_EQ(history.GetModIndex(), history.GetCount() - 1);
    for (int i = 0; i < history.GetCount(); ++i) EXPECT_GT(history.GetRecord(i)->GetComment().GetLength(), 30);
    const std::vector<BYTE> edited = document_test::Snapshot(*doc);
    while (history.CanUndo()) ASSERT_TRUE(doc->Undo(TRUE));
    EXPECT_EQ(DarkPixels(view->RenderBitmapFile(200, 150, false)), 0);  // every object undone
    while (history.CanRedo()) ASSERT_TRUE(doc->Redo(TRUE));
    EXPECT_EQ(document_test::Snapshot(*doc), edited);
    doc->OnCloseDocument();
  }
}

}  // namespace
