#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/win/Process.h"
#include "platform/win/ProgramFiles.h"
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

TEST(Process, RunProgramAndWaitReportsStartExitCodeAndSignal) {
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
}

TEST(Process, AStartedHelperRunsUntilItEnds) {
  TemporaryFolder folder;
  std::string fifo = folder / "release";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // The helper blocks until the test opens the pipe for writing and closes it again.
  WriteScript(folder / "helper", "exec cat \"" + fifo + "\" >/dev/null");

  ProcessId helper = 0;
  EXPECT_GT(WinExec((folder / "helper").c_str(), SW_SHOW, &helper), 31u);
  ASSERT_NE(helper, 0);
  EXPECT_TRUE(IsProcessRunning(helper));

  ::close(::open(fifo.c_str(), O_WRONLY));
  bool ended = false;
  for (int i = 0; i < 1000 && !ended; ++i) {
    ended = !IsProcessRunning(helper);
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(ended);
  EXPECT_FALSE(IsProcessRunning(helper));  // and stays ended once reaped
  EXPECT_FALSE(IsProcessRunning(0));
}

}  // namespace
