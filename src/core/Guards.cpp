#include "core/Guards.h"

#include <unistd.h>

#include <cstdlib>

#include "core/FatalError.h"

XCurrentDirectoryGuard::XCurrentDirectoryGuard(const char* directory) {
  if (char* current = ::getcwd(nullptr, 0)) {
    original = current;
    std::free(current);
  }
  (void)!::chdir(directory);
}

XCurrentDirectoryGuard::~XCurrentDirectoryGuard() {
  if (!original.empty()) (void)!::chdir(original.c_str());
}

BoolGuard::BoolGuard(bool& flag) : guarded(flag) {
  XASSERT_TEXT(!guarded, "!bool", "");
  guarded = true;
}

BoolGuard::~BoolGuard() noexcept(false) {
  XASSERT_TEXT(guarded, "bool", "");
  guarded = false;
}
