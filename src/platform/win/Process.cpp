#include "platform/win/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/win/ProgramFiles.h"

extern char** environ;

namespace {

// Real processes. A child starts with default signal handling, an empty signal mask, standard
// input from /dev/null and no descriptors but the standard three.
class SpawningLauncher final : public ProcessLauncher {
 public:
  ProcessId Start(std::string_view commandLine, UINT) override {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (arguments.empty()) return 0;
    std::string program = FindProgram(arguments[0], ProgramDirectory(), std::getenv("PATH"));
    if (program.empty()) return 0;
    arguments[0] = program;

    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    int failed = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return 0;
    children_.insert(pid);
    return pid;
  }

  bool IsRunning(ProcessId process) override {
    if (!children_.count(process)) return false;
    int status;
    if (::waitpid(process, &status, WNOHANG) == 0) return true;
    children_.erase(process);
    return false;
  }

  std::optional<int> Wait(ProcessId process) override {
    if (!children_.count(process)) return std::nullopt;
    int status;
    pid_t result;
    while ((result = ::waitpid(process, &status, 0)) < 0 && errno == EINTR) {
    }
    children_.erase(process);
    if (result != process || !WIFEXITED(status)) return std::nullopt;
    return WEXITSTATUS(status);
  }

 private:
  std::set<ProcessId> children_;  // started and not yet seen to end
};

// Never destroyed: objects destroyed at exit may still start programs.
SpawningLauncher& BuiltIn() {
  static auto* launcher = new SpawningLauncher;
  return *launcher;
}

ProcessLauncher* current = nullptr;

}  // namespace

ProcessLauncher* SetProcessLauncher(ProcessLauncher* launcher) {
  ProcessLauncher* previous = current;
  current = launcher;
  return previous;
}

ProcessLauncher& CurrentProcessLauncher() { return current ? *current : BuiltIn(); }

UINT WinExec(LPCSTR commandLine, UINT showCommand, ProcessId* started) {
  ProcessId process = commandLine ? CurrentProcessLauncher().Start(commandLine, showCommand) : 0;
  if (started) *started = process;
  return process ? 33 : 0;
}

bool IsProcessRunning(ProcessId process) { return process && CurrentProcessLauncher().IsRunning(process); }

ProgramRun RunProgramAndWait(std::string_view commandLine) {
  ProcessLauncher& launcher = CurrentProcessLauncher();
  ProcessId process = launcher.Start(commandLine, SW_HIDE);
  if (!process) return {false, std::nullopt};
  return {true, launcher.Wait(process)};
}
