#include <gtest/gtest.h>

#include "core/XString.h"
#include "support/FatalCheck.h"

namespace {

TEST(XString, MissingTextsPlaceholdersAndReplacing) {
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
}

TEST(XString, PathsOfEitherSeparator) {
  struct Case {
    const char *path, *directory, *name, *title, *extension;
  };
  const Case cases[] = {
      {"C:\\Objects\\chair.x", "C:\\Objects", "chair.x", "chair", "x"},
      {"C:\\chair.x", "C:\\", "chair.x", "chair", "x"},
      {"C:chair.x", "C:", "C:chair.x", "C:chair", "x"},
      {"\\chair.x", "\\", "chair.x", "chair", "x"},
      {"..\\..\\chair.x", "..\\..", "chair.x", "chair", "x"},
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
