#include "platform/win/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

int NotRegular(const struct stat& st) { return S_ISDIR(st.st_mode) ? EISDIR : EINVAL; }

int Refuse(int fd, int reason) {
  ::close(fd);
  errno = reason;
  return -1;
}

}  // namespace

int OpenRegularFile(const char* path) {
  // Asking first leaves devices unopened; the descriptor is asked again because the name may
  // have come to mean another file in between.
  struct stat st;
  if (::stat(path, &st) != 0) return -1;
  if (!S_ISREG(st.st_mode)) {
    errno = NotRegular(st);
    return -1;
  }
  // Without waiting, so that a FIFO put there since is refused rather than waited on.
  int fd;
  while ((fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) < 0 && errno == EINTR) {
  }
  if (fd < 0) return -1;
  if (::fstat(fd, &st) != 0) return Refuse(fd, errno);
  if (!S_ISREG(st.st_mode)) return Refuse(fd, NotRegular(st));
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return Refuse(fd, errno);
  return fd;
}

std::FILE* OpenRegularFileStream(const char* path) {
  const int fd = OpenRegularFile(path);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) Refuse(fd, errno);
  return file;
}
