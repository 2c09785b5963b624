#include "platform/win/RuntimeFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

bool EnsureRuntimeFolder() {
  const char* set = std::getenv("XDG_RUNTIME_DIR");
  if (set && *set) return true;
  const char* base = std::getenv("TMPDIR");
  const std::string folder = std::string(base && *base ? base : "/tmp") + "/runtime-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  struct stat info {};
  // Another user's folder, or one that others may enter, would expose the user's sockets.
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
      (info.st_mode & 077) != 0)
    return false;
  return ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1) == 0;
}
