#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "core/Guards.h"
#include "core/MissingFile.h"
#include "core/WindowPlacement.h"
#include "core/XString.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/FatalCheck.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

class PlacementTest : public ::testing::TestWithParam<Backend> {};

TEST_P(PlacementTest, ElevenWordsLengthFirst) {
  const WINDOWPLACEMENT stored{44, 2, 3, {-4, 5}, {6, -7}, {8, 9, 10, 11}};
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) { ar << stored; });
  ByteImage expected;
  for (DWORD v : {44u, 2u, 3u, 0xFFFFFFFCu, 5u, 6u, 0xFFFFFFF9u, 8u, 9u, 10u, 11u}) expected.U32(v);
  EXPECT_EQ(bytes, expected.bytes);
  WINDOWPLACEMENT read{};
  auto load = [&](CArchive& ar) { ar >> read; };
  LoadBytes(GetParam(), bytes, load);
  EXPECT_EQ(std::memcmp(&read, &stored, sizeof read), 0);

  // Another length, or a coordinate no placement can be saved with, is damage.
  Bytes damaged = bytes;
  damaged[0] = 43;
  ExpectArchiveFailure(GetParam(), damaged, CArchiveException::badSchema, load);
  damaged = bytes;
  std::memcpy(&damaged[12], "\x00\x00\x00\x80", 4);
  ExpectArchiveFailure(GetParam(), damaged, CArchiveException::badSchema, load);

  WINDOWPLACEMENT invalid = stored;
  invalid.rcNormalPosition.bottom = INT_MIN;
  EXPECT_FATAL(StoreBytes(GetParam(), [&](CArchive& ar) { ar << invalid; }),
               "x >= Min() && x <= Max() && y >= Min() && y <= Max()", "");
}

INSTANTIATE_TEST_SUITE_P(AllFiles, PlacementTest, ALL_BACKENDS);

TEST(MissingFile, TheUserIsAskedUntilAFileIsChosenOrTheOperationIsCancelled) {
  ScriptedFileDialogs dialogs;
  ScriptedMessageBoxes boxes;
  // Cancel, "No" (keep looking), then a file.
  dialogs.Answer({std::nullopt, "/home/user/found.ulm"});
  boxes.Answer({IDNO});
  EXPECT_EQ(XLocateMissingFile("/objects/chairs/chair.ulm", TRUE), "/home/user/found.ulm");
  ASSERT_EQ(dialogs.requests.size(), 2u);
  const FileDialogRequest& asked = dialogs.requests[0];
  EXPECT_EQ(asked.title, "Where is the file chair.ulm?");
  EXPECT_EQ(asked.initialFolder, "/objects/chairs");
  EXPECT_EQ(asked.flags, 0x1806u);  // the chosen file must exist
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Are you sure you want to cancel the current operation?");
  EXPECT_EQ(boxes.boxes[0].style & (MB_TYPEMASK | MB_DEFMASK), MB_YESNO | MB_DEFBUTTON2);

  // Cancel and "Yes": the user is told, then the operation ends or goes on with the old path.
  boxes.Answer({IDYES, IDOK, IDYES, IDOK});
  EXPECT_THROW(XLocateMissingFile("C:\\Objects\\lamp.ulm", TRUE), CUserException);
  EXPECT_EQ(dialogs.requests.back().title, "Where is the file lamp.ulm?");
  EXPECT_NE(boxes.boxes.back().text.find("not found.\n\nC:\\Objects\\lamp.ulm\n\n"), std::string::npos);
  EXPECT_EQ(XLocateMissingFile("lamp.ulm", FALSE), "lamp.ulm");
  EXPECT_EQ(boxes.boxes.size(), 5u);
}

// A page whose controls raise a change notification while the exchange writes them.
struct Page {
  BOOL UpdateData(BOOL) {
    ++exchanges;
    EXPECT_FALSE(XUpdateDataGuarded(*this, exchanging, FALSE));
    return TRUE;
  }
  bool exchanging = false;
  int exchanges = 0;
};

TEST(Guards, ADataExchangeCannotStartInsideItself) {
  Page page;
  EXPECT_TRUE(XUpdateDataGuarded(page, page.exchanging, TRUE));
  EXPECT_EQ(page.exchanges, 1);
  EXPECT_FALSE(page.exchanging);
}

TEST(XString, MissingTextsPlaceholdersReplacingAndPaths) {
  EXPECT_FATAL(XString(7u), "LoadString( id )", "Non-existent string resource id 7");

  EXPECT_EQ(XString("%1 of %2", "%2", "x"), "x of x");
  EXPECT_EQ(XString("%1%1", "ab"), "abab");
  EXPECT_EQ(XString("%3 %1", "a", "b"), "%3 a");
  EXPECT_EQ(XString("%5%4%3%2%1", "1", "2", "3", "4", "5"), "54321");

  XString s("aaa");
  s.ReplaceAll(0, "a", "aa");
  EXPECT_EQ(s, "aaaaaa");
  s.ReplaceAll(0, "", "b");
  EXPECT_EQ(s, "aaaaaa");
  EXPECT_EQ(XString().FindFrom(0, ""), -1);
  EXPECT_EQ(XString("Open a scene\nOpen").GetPromptText(), "Open a scene");
  EXPECT_EQ(XString("Open").GetPromptText(), "Open");

  struct Case {
    const char *path, *directory, *name, *title, *extension;
  };
  const Case cases[] = {
      {"C:\\Objects\\chair.x", "C:\\Objects", "chair.x", "chair", "x"},
      {"C:\\chair.x", "C:\\", "chair.x", "chair", "x"},
      {"C:chair.x", "C:", "C:chair.x", "C:chair", "x"},
      {"chair.x", "", "chair.x", "chair", "x"},
      {"../chair.ulm", "../", "chair.ulm", "chair", "ulm"},
      {"C:\\Objects\\.ab", "C:\\Objects", ".ab", "", "ab"},
      {"C:\\dir.old\\model", "C:\\dir.old", "model", "model", ""},
      {"archive.tar.gz", "", "archive.tar.gz", "archive.tar", "gz"},
      {"notes.text", "", "notes.text", "notes.text", ""},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    const XString path(c.path);
    EXPECT_EQ(path.GetDirectory(), c.directory) << c.path;
    EXPECT_EQ(path.GetFileName(), c.name) << c.path;
    EXPECT_EQ(path.GetFileTitle(), c.title) << c.path;
    EXPECT_EQ(path.GetExtension(), c.extension) << c.path;
  }
  EXPECT_EQ(XString("C:").AddTrailingSeparator(), "C:");
  EXPECT_EQ(XString("/dir").AddTrailingSeparator(), "/dir/");
  EXPECT_EQ(XString("C:\\dir\\").AddTrailingSeparator(), "C:\\dir\\");
  EXPECT_EQ(XString().AddTrailingSeparator(), "");
}

}  // namespace
