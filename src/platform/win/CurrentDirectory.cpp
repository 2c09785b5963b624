#include "platform/win/CurrentDirectory.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>

DWORD GetCurrentDirectory(DWORD size, LPSTR buffer) {
  std::unique_ptr<char, decltype(&std::free)> path(::getcwd(nullptr, 0), &std::free);
  if (!path) return 0;
  std::size_t length = std::strlen(path.get());
  if (length >= 0xFFFFFFFFu) return 0;
  if (!buffer || length >= size) return static_cast<DWORD>(length + 1);
  std::memcpy(buffer, path.get(), length + 1);
  return static_cast<DWORD>(length);
}

BOOL SetCurrentDirectory(LPCSTR path) { return path && ::chdir(path) == 0 ? TRUE : FALSE; }
