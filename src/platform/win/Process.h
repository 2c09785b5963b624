// Starting other programs: the helpers the program starts and does not wait for, and the tools
// it runs hidden and waits for. One replaceable launcher serves all of it, so tests can record
// what would be started and decide whether it starts.
#pragma once

#include <optional>
#include <string_view>

#include "platform/win/WinTypes.h"

using ProcessId = int;  // 0: no process

constexpr UINT SW_HIDE = 0;
constexpr UINT SW_SHOW = 5;

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts the program a command line names (ProgramFiles.h: SplitCommandLine, FindProgram)
  // without waiting for it; 0 when it cannot be started.
  virtual ProcessId Start(std::string_view commandLine, UINT showCommand) = 0;
  // Whether a process this launcher started has not ended yet.
  virtual bool IsRunning(ProcessId process) = 0;
  // Waits for a process this launcher started to end: its exit code, or nothing when it was
  // ended by a signal or is not one of this launcher's.
  virtual std::optional<int> Wait(ProcessId process) = 0;
};

// Installs `launcher` (nullptr restores the one that starts real processes) and returns the
// previous one (nullptr for the built-in one). The caller keeps ownership.
ProcessLauncher* SetProcessLauncher(ProcessLauncher* launcher);
ProcessLauncher& CurrentProcessLauncher();

// Starts a program and returns at once: a value above 31 when it started (its id, when asked
// for, goes to `started`), 0 when it could not be started.
UINT WinExec(LPCSTR commandLine, UINT showCommand, ProcessId* started = nullptr);

bool IsProcessRunning(ProcessId process);

// Runs a program hidden and waits for it to end.
struct ProgramRun {
  bool started;
  std::optional<int> exitCode;  // nothing when it did not start or was ended by a signal
};
ProgramRun RunProgramAndWait(std::string_view commandLine);
