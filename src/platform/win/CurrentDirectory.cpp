#include "platform/win/CurrentDirectory.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<char, decltype(&std::free)> WorkingFolder() { return {::getcwd(nullptr, 0), &std::free}; }

}  // namespace

DWORD GetCurrentDirectory(DWORD size, LPSTR buffer) {
  std::unique_ptr<char, decltype(&std::free)> path = WorkingFolder();
  if (!path && errno == ENOENT) {
    const std::string home = HomeFolder();
    if (::chdir(home.empty() ? "/" : home.c_str()) == 0 || ::chdir("/") == 0) path = WorkingFolder();
  }
  if (!path) return 0;
  std::size_t length = std::strlen(path.get());
  if (length >= 0xFFFFFFFFu) return 0;
  if (!buffer || length >= size) return static_cast<DWORD>(length + 1);
  std::memcpy(buffer, path.get(), length + 1);
  return static_cast<DWORD>(length);
}

BOOL SetCurrentDirectory(LPCSTR path) { return path && ::chdir(path) == 0 ? TRUE : FALSE; }

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && home[0] == '/') return home;
  const passwd* user = ::getpwuid(::getuid());
  return user && user->pw_dir && user->pw_dir[0] == '/' ? user->pw_dir : std::string();
}
