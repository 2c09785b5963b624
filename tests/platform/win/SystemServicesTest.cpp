#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>

#include "platform/win/CurrentDirectory.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Process.h"
#include "platform/win/ProgramFiles.h"
#include "platform/win/RuntimeFolder.h"
#include "support/PlatformFakes.h"
#include "support/TemporaryFolder.h"

namespace {

using Arguments = std::vector<std::string>;

void WriteScript(const std::string& path, const std::string& body, mode_t mode = 0755) {
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  ::chmod(path.c_str(), mode);
}

TEST(SplitCommandLine, QuotesGroupBlanksSeparateBackslashesStay) {
  EXPECT_EQ(SplitCommandLine("\"/opt/Tavrolin/conv3ds.exe\" -r -t -c -m -s0.0254 -o \"/tmp/my scenes/Chair.x\" "
                             "\"C:\\Models\\Chair.3ds\""),
            (Arguments{"/opt/Tavrolin/conv3ds.exe", "-r", "-t", "-c", "-m", "-s0.0254", "-o",
                       "/tmp/my scenes/Chair.x", "C:\\Models\\Chair.3ds"}));
  EXPECT_EQ(SplitCommandLine("  NoMemoryDialog.exe\t "), (Arguments{"NoMemoryDialog.exe"}));
  EXPECT_EQ(SplitCommandLine("a\"b c\"d \"\" \"C:\\Art\\\""), (Arguments{"ab cd", "", "C:\\Art\\"}));
  EXPECT_EQ(SplitCommandLine(" \t "), Arguments{});
}

TEST(FindProgram, ProgramFolderFirstThenPathWithAndWithoutExe) {
  TemporaryFolder own, first, second;
  WriteScript(own / "NoMemoryDialog", "exit 0");
  WriteScript(first / "NoMemoryDialog", "exit 0");
  WriteScript(first / "conv3ds.exe", "exit 0");
  WriteScript(first / "tool", "exit 0", 0644);  // not executable
  WriteScript(second / "tool", "exit 0");
  std::string path = first.Path() + "::" + second.Path();

  EXPECT_EQ(FindProgram("NoMemoryDialog.exe", own.Path(), path.c_str()), own / "NoMemoryDialog");
  EXPECT_EQ(FindProgram("conv3ds.exe", own.Path(), path.c_str()), first / "conv3ds.exe");
  EXPECT_EQ(FindProgram("tool", own.Path(), path.c_str()), second / "tool");
  EXPECT_EQ(FindProgram("missing.exe", own.Path(), path.c_str()), "");
  EXPECT_EQ(FindProgram(own / "NoMemoryDialog.exe", "", nullptr), own / "NoMemoryDialog");
  EXPECT_EQ(FindProgram(first / "tool", "", nullptr), "");

  // Empty PATH entries do not stand for the current folder.
  char saved[4096];
  ASSERT_TRUE(::getcwd(saved, sizeof saved));
  ASSERT_EQ(::chdir(own.Path().c_str()), 0);
  EXPECT_EQ(FindProgram("NoMemoryDialog", "", ":/nonexistent:"), "");
  ASSERT_EQ(::chdir(saved), 0);
}

TEST(Process, RunProgramAndWaitReportsStartExitCodeAndSignalAndAHelperRunsUntilItEnds) {
  TemporaryFolder folder;
  WriteScript(folder / "args", "[ \"$1\" = \"two words\" ] && [ \"$2\" = \"x\" ] && exit 7; exit 1");
  WriteScript(folder / "killed", "kill -9 $$");

  ProgramRun run = RunProgramAndWait("\"" + (folder / "args") + "\" \"two words\" x");
  EXPECT_TRUE(run.started);
  EXPECT_EQ(run.exitCode, 7);

  run = RunProgramAndWait("\"" + (folder / "killed") + "\"");
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.exitCode.has_value());

  run = RunProgramAndWait("\"" + (folder / "missing.exe") + "\" -o x");
  EXPECT_FALSE(run.started);
  EXPECT_EQ(WinExec((folder / "missing.exe").c_str(), SW_SHOW), 0u);

  // A started helper runs until it ends: it blocks until the test opens the pipe for writing.
  std::string fifo = folder / "release";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  WriteScript(folder / "helper", "exec cat \"" + fifo + "\" >/dev/null");

  ProcessId helper = 0;
  EXPECT_GT(WinExec((folder / "helper").c_str(), SW_SHOW, &helper), 31u);
  ASSERT_NE(helper, 0);
  EXPECT_TRUE(IsProcessRunning(helper));

  ::close(::open(fifo.c_str(), O_WRONLY));
  for (int i = 0; i < 1000 && IsProcessRunning(helper); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(IsProcessRunning(helper));  // ended, and stays ended once reaped
  EXPECT_FALSE(IsProcessRunning(0));
}

// What the screen context answers is checked where the program reads it.
TEST(SystemInfo, OnlyTheScreenContextAnswersAndTheDepthComesFromTheEnvironmentOrTheScreen) {
  ScopedSystemInfo settings;
  ASSERT_NE(GetDC(nullptr), nullptr);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(&settings)), nullptr);
  EXPECT_EQ(GetDeviceCaps(reinterpret_cast<HDC>(&settings), BITSPIXEL), 0);

  const std::pair<const char*, int> depths[] = {{"8", 8}, {"16", 16}, {"24", 24}, {"15", 16}, {"12", 32}, {"", 32}};
  for (const auto& [setting, bits] : depths) {
    ::setenv("TAVROLIN_DISPLAY_BITS", setting, 1);
    EXPECT_EQ(DisplayBitsPerPixel(), bits) << setting;
  }
  // A setting overrides the screen's depth; without one the display takes it.
  ::setenv("TAVROLIN_DISPLAY_BITS", "16", 1);
  EXPECT_EQ(DisplayFormatForDepth(24), 16);
  ::unsetenv("TAVROLIN_DISPLAY_BITS");
  const std::pair<int, int> screens[] = {{8, 8}, {15, 15}, {16, 16}, {24, 32}, {30, 32}};
  for (const auto& [depth, format] : screens) EXPECT_EQ(DisplayFormatForDepth(depth), format) << depth;
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

  // Removed under the program, the folder is left for the home folder, which is answered.
  ASSERT_EQ(::rmdir((folder / "gone").c_str()), 0);
  ASSERT_EQ(::mkdir((folder / "home").c_str(), 0700), 0);
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  ::setenv("HOME", (folder / "home").c_str(), 1);
  size = GetCurrentDirectory(0, nullptr);
  ::setenv("HOME", savedHome.c_str(), 1);
  EXPECT_EQ(size, (folder / "home").size() + 1);
  char now[4096];
  ASSERT_TRUE(::getcwd(now, sizeof now));
  EXPECT_EQ(now, folder / "home");
  ASSERT_EQ(SetCurrentDirectory(saved), TRUE);
}

TEST(RuntimeFolder, MadePrivateWhenUnsetAndRefusedWhenOthersMayEnter) {
  const std::string kept = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
  const std::string keptTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
  TemporaryFolder folder;
  ::setenv("TMPDIR", folder.Path().c_str(), 1);
  const std::string expected = folder / ("runtime-" + std::to_string(::getuid()));

  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_TRUE(EnsureRuntimeFolder());
  EXPECT_STREQ(std::getenv("XDG_RUNTIME_DIR"), expected.c_str());
  struct stat info {};
  ASSERT_EQ(::stat(expected.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_TRUE(EnsureRuntimeFolder());  // set: kept as it is

  ::unsetenv("XDG_RUNTIME_DIR");
  ASSERT_EQ(::chmod(expected.c_str(), 0755), 0);
  EXPECT_FALSE(EnsureRuntimeFolder());
  EXPECT_EQ(std::getenv("XDG_RUNTIME_DIR"), nullptr);

  ::setenv("TMPDIR", keptTmp.c_str(), 1);
  ::setenv("XDG_RUNTIME_DIR", kept.c_str(), 1);
}

TEST(MessageBoxLayout, DefaultAndEscapeButtonsOfTheStylesTheBoxesDoNotShow) {
  using Layout = std::tuple<int, int, int, UINT>;  // buttons, default, escape, icon
  const std::pair<UINT, Layout> cases[] = {
      {MB_OK | MB_DEFBUTTON2, {1, IDOK, IDOK, 0}},
      {MB_YESNO | MB_DEFBUTTON3 | MB_ICONEXCLAMATION, {2, IDYES, 0, MB_ICONEXCLAMATION}},
      {MB_ABORTRETRYIGNORE | MB_ICONASTERISK, {3, IDABORT, 0, MB_ICONASTERISK}},
      {0x6 | 0x80, {1, IDOK, IDOK, 0}},  // unknown button set and icon
  };
  for (const auto& [style, expected] : cases) {
    const MessageBoxLayout l = DescribeMessageBox(style);
    EXPECT_EQ(Layout(l.buttonCount, l.defaultButton, l.escapeButton, l.icon), expected) << std::hex << style;
  }
}

}  // namespace
