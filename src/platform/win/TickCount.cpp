#include "platform/win/TickCount.h"

#include <chrono>

namespace {

DWORD SteadyTicks() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

TickSource source = nullptr;

}  // namespace

DWORD GetTickCount() { return source ? source() : SteadyTicks(); }

TickSource SetTickSource(TickSource next) {
  TickSource previous = source;
  source = next;
  return previous;
}
