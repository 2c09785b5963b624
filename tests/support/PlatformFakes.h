// Test support: stand-ins for the desktop services, each installed for its own lifetime.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/win/Clipboard.h"
#include "platform/win/Process.h"
#include "platform/win/ProfileStore.h"
#include "platform/win/SystemInfo.h"

// A clipboard that another program can hold (then it cannot be opened); it keeps what it is given.
class FakeClipboard final : public Clipboard {
 public:
  FakeClipboard() : previous_(SetClipboard(this)) {}
  ~FakeClipboard() override { SetClipboard(previous_); }
  FakeClipboard(const FakeClipboard&) = delete;
  FakeClipboard& operator=(const FakeClipboard&) = delete;

  bool Open() override { return !heldByOtherProgram; }
  bool Empty() override {
    ++empties;
    return true;
  }
  bool SetData(UINT format, const BYTE* bytes, std::size_t size) override {
    data.emplace_back(format, std::vector<BYTE>(bytes, bytes + size));
    return true;
  }
  void Close() override {}

  bool heldByOtherProgram = false;
  int empties = 0;
  std::vector<std::pair<UINT, std::vector<BYTE>>> data;  // what was put on it, in order

 private:
  Clipboard* previous_;
};

// Records the command lines started; the next `failures` starts fail. A started process runs
// until the test ends it or waits for it; it exits with `exitCode`.
class ScriptedProcesses final : public ProcessLauncher {
 public:
  struct Process {
    std::string commandLine;
    UINT showCommand;
    bool running;
    int exitCode;
  };

  ScriptedProcesses() : previous_(SetProcessLauncher(this)) {}
  ~ScriptedProcesses() override { SetProcessLauncher(previous_); }
  ScriptedProcesses(const ScriptedProcesses&) = delete;
  ScriptedProcesses& operator=(const ScriptedProcesses&) = delete;

  ProcessId Start(std::string_view commandLine, UINT showCommand) override {
    attempts.emplace_back(commandLine);
    if (failures > 0) {
      --failures;
      return 0;
    }
    started.push_back({std::string(commandLine), showCommand, true, exitCode});
    return static_cast<ProcessId>(started.size());
  }
  bool IsRunning(ProcessId process) override { return Find(process) && Find(process)->running; }
  std::optional<int> Wait(ProcessId process) override {
    Process* p = Find(process);
    if (!p) return std::nullopt;
    p->running = false;
    return p->exitCode;
  }

  int failures = 0;
  int exitCode = 0;
  std::vector<std::string> attempts;  // every start asked for, failed ones included
  std::vector<Process> started;       // process id n is started[n - 1]

 private:
  Process* Find(ProcessId process) {
    return process > 0 && static_cast<std::size_t>(process) <= started.size() ? &started[process - 1] : nullptr;
  }
  ProcessLauncher* previous_;
};

// Installs a `Service` through `install` (a SetProfileStore-like function) for its lifetime.
template <class Service, class Interface, Interface* (*install)(Interface*)>
class ScopedService {
 public:
  ScopedService() : previous_(install(&service_)) {}
  ~ScopedService() { install(previous_); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

  Service* operator->() { return &service_; }
  Service& operator*() { return service_; }

 private:
  Service service_;
  Interface* previous_;
};

// A fresh in-memory preference store.
using ScopedMemoryProfile = ScopedService<MemoryProfileStore, ProfileStore, &SetProfileStore>;
// Desktop settings the test chooses.
using ScopedSystemInfo = ScopedService<HeadlessSystemInfo, SystemInfo, &SetSystemInfo>;
