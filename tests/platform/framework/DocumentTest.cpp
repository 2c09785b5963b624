// Documents through the framework's commands: New, Save, Close, Open, recent files, failed saves.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/framework/Archive.h"
#include "platform/framework/CommandLine.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/View.h"
#include "FrameTestClasses.h"
#include "platform/framework/WinApp.h"
#include "platform/win/QtTestApplication.h"
#include "support/ScriptedFileDialogs.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"

namespace {

constexpr UINT kTemplateStrings = 14;  // ".tvr" documents


class NoteDocument : public CDocument {
  DECLARE_DYNCREATE(NoteDocument)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) {
      ar >> text;
      return;
    }
    ar << text;
    ar.Flush();
    if (failWhileSaving) throw CFileException(CFileException::diskFull);
  }
  void DeleteContents() override { text.Empty(); }
  CString text;
  static inline bool failWhileSaving = false;
};
IMPLEMENT_DYNCREATE(NoteDocument, CDocument)

class NoteView : public CView {
  DECLARE_DYNCREATE(NoteView)
 public:
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(hint); }
  std::vector<LPARAM> hints;
};
IMPLEMENT_DYNCREATE(NoteView, CView)

class NoteFrame : public CFrameWnd {
  DECLARE_DYNCREATE(NoteFrame)
};
IMPLEMENT_DYNCREATE(NoteFrame, CFrameWnd)

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct DocumentsFixture : ::testing::Test {
  DocumentsFixture() {
    RegisterFrameworkTestStrings();
    app.LoadStdProfileSettings(4);
    docTemplate = new CMultiDocTemplate(kTemplateStrings, RUNTIME_CLASS(NoteDocument), RUNTIME_CLASS(NoteFrame),
                                        RUNTIME_CLASS(NoteView));
    app.AddDocTemplate(docTemplate);
  }

  NoteDocument* OpenedLast() {
    NoteDocument* last = nullptr;
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;)
      last = static_cast<NoteDocument*>(docTemplate->GetNextDoc(pos));
    return last;
  }
  static CFrameWnd* FrameOf(CDocument* document) {
    POSITION pos = document->GetFirstViewPosition();
    return document->GetNextView(pos)->GetParentFrame();
  }
  int DocumentCount() {
    int count = 0;
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos; docTemplate->GetNextDoc(pos)) ++count;
    return count;
  }

  QtTestApplication qt;
  TemporaryFolder folder;
  ScopedMemoryProfile store;
  ScriptedMessageBoxes boxes;
  ScriptedFileDialogs dialogs;
  CWinApp app{"Notes"};
  CDocTemplate* docTemplate;
};

TEST_F(DocumentsFixture, NewSaveAsCloseWithPromptOpenAndRecentFiles) {
  app.OnFileNew();
  app.OnFileNew();
  NoteDocument* document = OpenedLast();
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->GetTitle(), "Untitled2");
  CFrameWnd* frame = FrameOf(document);
  EXPECT_EQ(frame->GetActiveView()->GetDocument(), document);

  // Save on an untitled document asks for a name; the view routes the command to its document.
  const std::string path = folder / "notes.tvr";
  document->text = "first";
  document->SetModifiedFlag();
  dialogs.Answer({path});
  frame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_FALSE(dialogs.requests[0].open);
  EXPECT_EQ(dialogs.requests[0].fileName, "Untitled2.tvr");
  ASSERT_EQ(dialogs.requests[0].filters.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].filters[0].patterns, "*.tvr");
  EXPECT_EQ(document->GetTitle(), "notes.tvr");
  EXPECT_EQ(document->GetPathName(), path.c_str());
  EXPECT_FALSE(document->IsModified());
  EXPECT_NE(ReadAll(path).find("first"), std::string::npos);

  // A changed document asks before it closes: Cancel keeps it, No drops the change.
  document->text = "second";
  document->SetModifiedFlag();
  boxes.Answer({IDCANCEL});
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Save changes to notes.tvr?");
  EXPECT_EQ(boxes.boxes[0].style & MB_TYPEMASK, MB_YESNOCANCEL);
  EXPECT_EQ(DocumentCount(), 2);
  boxes.Answer({IDNO});
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  EXPECT_EQ(DocumentCount(), 1);

  // The recent-file list holds the saved file, in the store too, and opens it again.
  ASSERT_EQ(app.GetRecentFileList()->GetCount(), 1);
  app.SaveStdProfileSettings();
  EXPECT_EQ(store->GetProfileString("Recent File List", "File1", ""), path);
  CFrameWnd* other = FrameOf(OpenedLast());
  other->ExecuteUserCommand(ID_FILE_MRU_FILE1, 0);
  ASSERT_EQ(DocumentCount(), 2);
  NoteDocument* reopened = OpenedLast();
  EXPECT_EQ(reopened->text, "first");
  EXPECT_FALSE(reopened->IsModified());
  // Opening an open file finds the open document.
  EXPECT_EQ(app.OpenDocumentFile(path.c_str()), reopened);
  EXPECT_EQ(DocumentCount(), 2);

  // A recent file that is gone leaves the list when chosen.
  app.AddToRecentFileList((folder / "gone.tvr").c_str());
  boxes.Answer({IDOK});
  other->ExecuteUserCommand(ID_FILE_MRU_FILE1, 0);
  EXPECT_EQ(boxes.boxes.back().text, "Failed to open document.");
  EXPECT_EQ(app.GetRecentFileList()->GetCount(), 1);
}

TEST_F(DocumentsFixture, TheShellCommandOpensTheFileNamedOrFails) {
  const std::string path = folder / "named.tvr";
  {
    std::ofstream out(path, std::ios::binary);
    out << '\x05' << "named";  // the document's text as an archive string
  }
  CCommandLineInfo open;
  open.ParseParam(path.c_str(), FALSE, TRUE);
  EXPECT_TRUE(app.ProcessShellCommand(open));
  ASSERT_NE(OpenedLast(), nullptr);
  EXPECT_EQ(OpenedLast()->text, "named");

  CCommandLineInfo missing;
  missing.ParseParam((folder / "missing.tvr").c_str(), FALSE, TRUE);
  boxes.Answer({IDOK});
  EXPECT_FALSE(app.ProcessShellCommand(missing));
  CCommandLineInfo print;
  print.ParseParam("p", TRUE, FALSE);
  print.ParseParam(path.c_str(), FALSE, TRUE);
  EXPECT_FALSE(app.ProcessShellCommand(print));
  EXPECT_EQ(DocumentCount(), 1);
}

TEST_F(DocumentsFixture, ClosingTheMainWindowAsksForEveryChangedDocument) {
  app.OnFileNew();
  app.OnFileNew();
  app.OnFileNew();
  POSITION pos = docTemplate->GetFirstDocPosition();
  auto* first = static_cast<NoteDocument*>(docTemplate->GetNextDoc(pos));
  auto* second = static_cast<NoteDocument*>(docTemplate->GetNextDoc(pos));
  first->SetModifiedFlag();
  second->SetModifiedFlag();
  CFrameWnd* main = FrameOf(first);
  app.m_pMainWnd = main;
  const HWND mainHandle = main->m_hWnd;

  // Cancel at the second question keeps everything open.
  boxes.Answer({IDNO, IDCANCEL});
  main->SendMessage(WM_CLOSE);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, "Save changes to Untitled2?");
  EXPECT_EQ(DocumentCount(), 3);
  EXPECT_TRUE(IsWindow(mainHandle));

  boxes.Answer({IDNO, IDNO});
  main->SendMessage(WM_CLOSE);
  EXPECT_EQ(boxes.boxes.size(), 4u);  // the unchanged third document is not asked about
  EXPECT_EQ(DocumentCount(), 0);
  EXPECT_FALSE(IsWindow(mainHandle));
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(DocumentsFixture, ASaveThatFailsHalfWayKeepsThePreviousFile) {
  app.OnFileNew();
  NoteDocument* document = OpenedLast();
  const std::string path = folder / "kept.tvr";
  document->text = "old contents";
  ASSERT_TRUE(document->DoSave(path.c_str()));
  const std::string before = ReadAll(path);

  document->text = "new contents that never arrive";
  document->SetModifiedFlag();
  NoteDocument::failWhileSaving = true;
  EXPECT_FALSE(document->DoFileSave());
  NoteDocument::failWhileSaving = false;
  EXPECT_EQ(ReadAll(path), before);
  EXPECT_TRUE(document->IsModified());
  ASSERT_FALSE(boxes.boxes.empty());
  EXPECT_EQ(boxes.boxes.back().text, "Failed to save document.");
  // Nothing but the saved file is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST_F(DocumentsFixture, UpdateAllViewsReachesEveryOtherViewInCreationOrder) {
  app.OnFileNew();
  NoteDocument* document = OpenedLast();
  CFrameWnd* frame = FrameOf(document);
  CCreateContext context;
  context.m_pCurrentDoc = document;
  auto* second = new NoteView;
  auto* third = new NoteView;
  ASSERT_TRUE(second->Create(nullptr, nullptr, WS_CHILD, RECT{0, 0, 10, 10}, frame, 2, &context));
  ASSERT_TRUE(third->Create(nullptr, nullptr, WS_CHILD, RECT{0, 0, 10, 10}, frame, 3, &context));
  std::vector<CView*> order;
  for (POSITION pos = document->GetFirstViewPosition(); pos;) order.push_back(document->GetNextView(pos));
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[1], second);
  EXPECT_EQ(order[2], third);

  document->UpdateAllViews(second, 8);
  EXPECT_EQ(static_cast<NoteView*>(order[0])->hints.back(), 8);
  EXPECT_TRUE(second->hints.empty());
  EXPECT_EQ(third->hints, std::vector<LPARAM>{8});
  // A destroyed view leaves the list.
  third->DestroyWindow();
  int count = 0;
  for (POSITION pos = document->GetFirstViewPosition(); pos; document->GetNextView(pos)) ++count;
  EXPECT_EQ(count, 2);
}

TEST_F(DocumentsFixture, ATemplateWhoseViewCannotBeMadeMakesNoFrame) {
  CMultiDocTemplate noViews(kTemplateStrings, RUNTIME_CLASS(NoteDocument), RUNTIME_CLASS(NoteFrame),
                            RUNTIME_CLASS(CView));
  NoteDocument document;
  document.m_bAutoDelete = FALSE;
  EXPECT_EQ(noViews.CreateNewFrame(&document, nullptr), nullptr);
  EXPECT_EQ(document.GetFirstViewPosition(), nullptr);
}

}  // namespace
