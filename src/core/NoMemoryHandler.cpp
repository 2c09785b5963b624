#include "core/NoMemoryHandler.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <utility>

#include "core/FatalReport.h"
#include "platform/win/Clipboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Process.h"
#include "platform/win/StringResources.h"

namespace {

constexpr std::size_t kReserveSize = 0x200000;
constexpr UINT kHelperNotStarted = 40260;
constexpr UINT kAppTitle = 57344;

void* failSafeMemory = nullptr;
int depth = 0;  // handler calls under way
ProcessId helper = 0;
ObjectClipboardEmptier clipboardEmptier = nullptr;

void* AllocateWithMalloc(std::size_t size) { return std::malloc(size); }
void PauseBriefly() { std::this_thread::sleep_for(std::chrono::milliseconds(250)); }

ReserveAllocator allocateReserve = &AllocateWithMalloc;
ShortagePause pauseBetweenAttempts = &PauseBriefly;
BlockAllocator allocateBlock = &AllocateWithMalloc;

// Starts the helper unless the one started before still runs. When it cannot be started the user
// is told once, in a box of the program's own, for this shortage.
void StartHelper(bool& userTold) {
  if (IsProcessRunning(helper)) return;
  if (WinExec("NoMemoryDialog.exe", SW_SHOW, &helper) > 31 || userTold) return;
  userTold = true;
  MessageBox(nullptr, FindStringResource(kHelperNotStarted), FindStringResource(kAppTitle),
             MB_ICONHAND | MB_SYSTEMMODAL);
}

void TakeReserve() {
  failSafeMemory = allocateReserve(kReserveSize);
  if (!failSafeMemory) {
    MessageBox(nullptr, "No memory to start Tavrolin\n", nullptr, MB_ICONHAND | MB_SYSTEMMODAL);
    std::fflush(nullptr);
    std::_Exit(3);
  }
}

void GiveReserveBack() {
  std::free(failSafeMemory);
  failSafeMemory = nullptr;
}

void HandleShortage() {
  GiveReserveBack();
  if (clipboardEmptier) clipboardEmptier();
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  bool userTold = false;
  StartHelper(userTold);
  while (!(failSafeMemory = allocateReserve(kReserveSize))) {
    pauseBetweenAttempts();
    StartHelper(userTold);
  }
}

}  // namespace

int NoMemoryHandler(std::size_t size) {
  // A call made while the handler runs further up the stack changes nothing.
  struct Nesting {
    Nesting() { ++depth; }
    ~Nesting() { --depth; }
  } nesting;
  if (depth != 1) return 1;

  if (!failSafeMemory) {
    XASSERT(size == 0, "Insufficient memory condition not handled because handler was not initialized");
    TakeReserve();
  } else if (size == 0) {
    GiveReserveBack();
  } else {
    HandleShortage();
  }
  return 1;
}

void NoMemoryNewHandler() { NoMemoryHandler(1); }

void* MallocRetrying(std::size_t size) {
  const std::size_t asked = size ? size : 1;  // malloc(0) may give null without a shortage
  void* block;
  while (!(block = allocateBlock(asked))) NoMemoryHandler(asked);
  return block;
}

ObjectClipboardEmptier SetObjectClipboardEmptier(ObjectClipboardEmptier emptier) {
  return std::exchange(clipboardEmptier, emptier);
}

bool NoMemoryReserveHeld() { return failSafeMemory != nullptr; }

ReserveAllocator SetReserveAllocator(ReserveAllocator allocator) {
  return std::exchange(allocateReserve, allocator ? allocator : &AllocateWithMalloc);
}

BlockAllocator SetBlockAllocator(BlockAllocator allocator) {
  return std::exchange(allocateBlock, allocator ? allocator : &AllocateWithMalloc);
}

ShortagePause SetShortagePause(ShortagePause pause) {
  return std::exchange(pauseBetweenAttempts, pause ? pause : &PauseBriefly);
}
