#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/win/CurrentDirectory.h"
#include "platform/win/Cursors.h"
#include "platform/win/MessageBox.h"
#include "support/PlatformFakes.h"
#include "support/TemporaryFolder.h"

namespace {

TEST(SystemInfo, SystemCallsAnswerFromTheInstalledSettings) {
  ScopedSystemInfo settings;
  settings->doubleClickTime = 321;
  settings->dragDistance = {5, 7};
  settings->tooltipBackground = RGB(1, 2, 3);
  settings->screenSize = {1600, 900};
  settings->logicalDpi = {120, 144};
  settings->bitsPerPixel = 16;

  EXPECT_EQ(GetDoubleClickTime(), 321u);
  EXPECT_EQ(GetSystemMetrics(SM_CXDRAG), 5);
  EXPECT_EQ(GetSystemMetrics(SM_CYDRAG), 7);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1600);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 900);
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(1, 2, 3));

  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 120);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 144);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 16);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);

  // What this layer does not know reads as 0 (or no context), never as another value.
  EXPECT_EQ(GetSystemMetrics(2), 0);
  EXPECT_EQ(GetSysColor(COLOR_INFOBK + 1), 0u);
  EXPECT_EQ(GetDeviceCaps(screen, 8), 0);
  EXPECT_EQ(GetDeviceCaps(reinterpret_cast<HDC>(&settings), BITSPIXEL), 0);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(&settings)), nullptr);
}

TEST(SystemInfo, DisplayDepthComesFromTheEnvironmentWhenValid) {
  const struct {
    const char* setting;
    int bits;
  } cases[] = {{nullptr, 32}, {"8", 8}, {"16", 16}, {"24", 24}, {"32", 32}, {"15", 32}, {"", 32}};
  for (const auto& c : cases) {
    c.setting ? ::setenv("TAVROLIN_DISPLAY_BITS", c.setting, 1) : ::unsetenv("TAVROLIN_DISPLAY_BITS");
    EXPECT_EQ(DisplayBitsPerPixel(), c.bits) << (c.setting ? c.setting : "unset");
  }
  ::unsetenv("TAVROLIN_DISPLAY_BITS");
}

TEST(Clipboard, OpensOnceWhenFreeAndEmptiesOnlyWhileOpen) {
  EXPECT_EQ(OpenClipboard(nullptr), FALSE);  // no desktop clipboard installed

  FakeClipboard clipboard;
  EXPECT_EQ(EmptyClipboard(), FALSE);
  EXPECT_EQ(CloseClipboard(), FALSE);
  ASSERT_EQ(OpenClipboard(nullptr), TRUE);
  EXPECT_EQ(OpenClipboard(nullptr), FALSE);
  EXPECT_EQ(EmptyClipboard(), TRUE);
  EXPECT_EQ(CloseClipboard(), TRUE);
  EXPECT_EQ(clipboard.empties, 1);

  clipboard.heldByOtherProgram = true;
  EXPECT_EQ(OpenClipboard(nullptr), FALSE);
  EXPECT_EQ(EmptyClipboard(), FALSE);
  EXPECT_EQ(clipboard.empties, 1);
}

TEST(Cursors, ResourceAndStandardHandlesAreDistinctAndDescribeThemselves) {
  HCURSOR handles[] = {LoadCursorResource(104), LoadCursorResource(138), LoadCursorResource(139),
                       LoadStandardCursor(IDC_ARROW)};
  const CursorName expected[] = {
      {CursorKind::resource, 104}, {CursorKind::resource, 138}, {CursorKind::resource, 139}, {CursorKind::standard, 32512}};
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(handles[i], nullptr) << i;
    for (int j = 0; j < i; ++j) EXPECT_NE(handles[i], handles[j]);
    EXPECT_EQ(DescribeCursor(handles[i]).kind, expected[i].kind) << i;
    EXPECT_EQ(DescribeCursor(handles[i]).id, expected[i].id) << i;
  }
  EXPECT_EQ(LoadCursorResource(105), nullptr);
  EXPECT_EQ(LoadStandardCursor(reinterpret_cast<LPCSTR>(std::uintptr_t{32513})), nullptr);
  EXPECT_EQ(DescribeCursor(nullptr).kind, CursorKind::none);
  EXPECT_EQ(DescribeCursor(reinterpret_cast<HCURSOR>(std::uintptr_t{0x10000 | 105})).kind, CursorKind::none);
}

TEST(CurrentDirectory, SizeProtocolChangeAndRemovedFolder) {
  char saved[4096];
  ASSERT_TRUE(::getcwd(saved, sizeof saved));
  TemporaryFolder folder;
  ASSERT_EQ(SetCurrentDirectory(folder.Path().c_str()), TRUE);

  DWORD size = GetCurrentDirectory(0, nullptr);
  ASSERT_EQ(size, folder.Path().size() + 1);
  std::string buffer(size, 'x');
  EXPECT_EQ(GetCurrentDirectory(size - 1, buffer.data()), size);  // too small: nothing copied
  EXPECT_EQ(buffer, std::string(size, 'x'));
  EXPECT_EQ(GetCurrentDirectory(size, buffer.data()), size - 1);
  EXPECT_STREQ(buffer.c_str(), folder.Path().c_str());

  EXPECT_EQ(SetCurrentDirectory((folder / "missing").c_str()), FALSE);
  ASSERT_EQ(SetCurrentDirectory((folder / "").c_str()), TRUE);
  ASSERT_EQ(::mkdir((folder / "gone").c_str(), 0700), 0);
  ASSERT_EQ(SetCurrentDirectory((folder / "gone").c_str()), TRUE);
  ASSERT_EQ(::rmdir((folder / "gone").c_str()), 0);
  EXPECT_EQ(GetCurrentDirectory(0, nullptr), 0u);

  ASSERT_EQ(SetCurrentDirectory(saved), TRUE);
}

TEST(MessageBoxLayout, ButtonsDefaultEscapeIconAndHelpOfEveryStyle) {
  const struct {
    UINT style;
    std::vector<int> buttons;
    int defaultButton, escapeButton;
    UINT icon;
    bool help;
  } cases[] = {
      {MB_OK, {IDOK}, IDOK, IDOK, 0, false},
      {MB_OK | MB_DEFBUTTON2 | MB_ICONHAND | MB_SYSTEMMODAL, {IDOK}, IDOK, IDOK, MB_ICONHAND, false},
      {MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONASTERISK | MB_HELP, {IDOK, IDCANCEL}, IDCANCEL, IDCANCEL, MB_ICONASTERISK, true},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE, 0, 0, false},
      {MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION, {IDYES, IDNO, IDCANCEL}, IDCANCEL, IDCANCEL, MB_ICONQUESTION, false},
      {MB_YESNO | MB_DEFBUTTON2 | 0x16000, {IDYES, IDNO}, IDNO, 0, 0, true},
      {MB_YESNO | MB_DEFBUTTON3, {IDYES, IDNO}, IDYES, 0, 0, false},
      {MB_RETRYCANCEL | MB_ICONEXCLAMATION, {IDRETRY, IDCANCEL}, IDRETRY, IDCANCEL, MB_ICONEXCLAMATION, false},
      {0x6 | 0x80, {IDOK}, IDOK, IDOK, 0, false},
  };
  for (const auto& c : cases) {
    MessageBoxLayout layout = DescribeMessageBox(c.style);
    EXPECT_EQ(std::vector<int>(layout.buttons, layout.buttons + layout.buttonCount), c.buttons) << std::hex << c.style;
    EXPECT_EQ(layout.defaultButton, c.defaultButton) << std::hex << c.style;
    EXPECT_EQ(DefaultButtonResult(c.style), c.defaultButton) << std::hex << c.style;
    EXPECT_EQ(layout.escapeButton, c.escapeButton) << std::hex << c.style;
    EXPECT_EQ(layout.icon, c.icon) << std::hex << c.style;
    EXPECT_EQ(layout.help, c.help) << std::hex << c.style;
  }
}

}  // namespace
