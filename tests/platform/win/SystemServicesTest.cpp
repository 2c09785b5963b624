#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/win/CurrentDirectory.h"
#include "platform/win/MessageBox.h"
#include "support/PlatformFakes.h"
#include "support/TemporaryFolder.h"

namespace {

// What the screen context answers is checked where the program reads it.
TEST(SystemInfo, OnlyTheScreenContextAnswersAndTheDepthComesFromTheEnvironment) {
  ScopedSystemInfo settings;
  ASSERT_NE(GetDC(nullptr), nullptr);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(&settings)), nullptr);
  EXPECT_EQ(GetDeviceCaps(reinterpret_cast<HDC>(&settings), BITSPIXEL), 0);

  const std::pair<const char*, int> depths[] = {{"8", 8}, {"16", 16}, {"24", 24}, {"15", 16}, {"12", 32}, {"", 32}};
  for (const auto& [setting, bits] : depths) {
    ::setenv("TAVROLIN_DISPLAY_BITS", setting, 1);
    EXPECT_EQ(DisplayBitsPerPixel(), bits) << setting;
  }
  ::unsetenv("TAVROLIN_DISPLAY_BITS");
}

TEST(Clipboard, OpensOnceWhenFreeAndEmptiesOnlyWhileOpen) {
  EXPECT_EQ(OpenClipboard(nullptr), FALSE);  // no desktop clipboard installed
  FakeClipboard clipboard;
  EXPECT_EQ(EmptyClipboard(), FALSE);
  ASSERT_EQ(OpenClipboard(nullptr), TRUE);
  EXPECT_EQ(OpenClipboard(nullptr), FALSE);
  EXPECT_EQ(EmptyClipboard(), TRUE);
  EXPECT_EQ(CloseClipboard(), TRUE);
  EXPECT_EQ(CloseClipboard(), FALSE);
  EXPECT_EQ(EmptyClipboard(), FALSE);
  EXPECT_EQ(clipboard.empties, 1);
}

TEST(CurrentDirectory, SizeProtocolAndARemovedFolder) {
  char saved[4096];
  ASSERT_TRUE(::getcwd(saved, sizeof saved));
  TemporaryFolder folder;
  ASSERT_EQ(::mkdir((folder / "gone").c_str(), 0700), 0);
  ASSERT_EQ(SetCurrentDirectory((folder / "gone").c_str()), TRUE);

  DWORD size = GetCurrentDirectory(0, nullptr);
  ASSERT_EQ(size, (folder / "gone").size() + 1);
  std::string buffer(size, 'x');
  EXPECT_EQ(GetCurrentDirectory(size - 1, buffer.data()), size);  // too small: nothing copied
  EXPECT_EQ(buffer, std::string(size, 'x'));
  EXPECT_EQ(GetCurrentDirectory(size, buffer.data()), size - 1);
  EXPECT_STREQ(buffer.c_str(), (folder / "gone").c_str());

  ASSERT_EQ(::rmdir((folder / "gone").c_str()), 0);
  EXPECT_EQ(GetCurrentDirectory(0, nullptr), 0u);
  ASSERT_EQ(SetCurrentDirectory(saved), TRUE);
}

TEST(MessageBoxLayout, DefaultAndEscapeButtonsOfTheStylesTheBoxesDoNotShow) {
  const struct {
    UINT style;
    int buttonCount, defaultButton, escapeButton;
    UINT icon;
  } cases[] = {
      {MB_OK | MB_DEFBUTTON2, 1, IDOK, IDOK, 0},
      {MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION, 3, IDCANCEL, IDCANCEL, MB_ICONQUESTION},
      {MB_YESNO | MB_DEFBUTTON3 | MB_ICONEXCLAMATION, 2, IDYES, 0, MB_ICONEXCLAMATION},
      {MB_ABORTRETRYIGNORE | MB_ICONASTERISK, 3, IDABORT, 0, MB_ICONASTERISK},
      {0x6 | 0x80, 1, IDOK, IDOK, 0},  // unknown button set and icon
  };
  for (const auto& c : cases) {
    MessageBoxLayout layout = DescribeMessageBox(c.style);
    EXPECT_EQ(layout.buttonCount, c.buttonCount) << std::hex << c.style;
    EXPECT_EQ(layout.defaultButton, c.defaultButton) << std::hex << c.style;
    EXPECT_EQ(layout.escapeButton, c.escapeButton) << std::hex << c.style;
    EXPECT_EQ(layout.icon, c.icon) << std::hex << c.style;
  }
}

}  // namespace
