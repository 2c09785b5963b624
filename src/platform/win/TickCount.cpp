#include "platform/win/TickCount.h"

#include <chrono>

namespace {

TickSource& Source() {
  static TickSource source;
  return source;
}

}  // namespace

DWORD GetTickCount() {
  if (Source()) return Source()();
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

TickSource SetTickSource(TickSource source) {
  TickSource previous = std::move(Source());
  Source() = std::move(source);
  return previous;
}
