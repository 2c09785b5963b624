#include "platform/win/Ticks.h"

#include <chrono>

namespace {

TickSource tickSource = nullptr;

}  // namespace

DWORD GetTickCount() {
  if (tickSource) return tickSource();
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

TickSource SetTickSource(TickSource source) {
  const TickSource previous = tickSource;
  tickSource = source;
  return previous;
}
