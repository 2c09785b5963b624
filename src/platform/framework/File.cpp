#include "platform/framework/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/win/RegularFile.h"

namespace {

int CauseOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return CFileException::fileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return CFileException::accessDenied;
    case ENOSPC:
    case EDQUOT:
      return CFileException::diskFull;
    case EIO:
      return CFileException::hardIO;
    default:
      return CFileException::generic;
  }
}

}  // namespace

CFile::~CFile() {
  if (fd_ >= 0) ::close(fd_);
}

void CFile::Fail(int cause) const { throw CFileException(cause, path_); }

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  Close();
  int flags = O_CLOEXEC;
  switch (openFlags & 3) {
    case modeWrite:
      flags |= O_WRONLY;
      break;
    case modeReadWrite:
      flags |= O_RDWR;
      break;
    default:
      flags |= O_RDONLY;
      break;
  }
  if (openFlags & modeCreate) flags |= O_CREAT | O_TRUNC;
  // What is only read comes from outside: a regular file or nothing.
  const bool reading = (openFlags & 3) == modeRead && !(openFlags & modeCreate);
  fd_ = reading ? OpenRegularFile(fileName) : ::open(fileName, flags, 0666);
  if (fd_ < 0) {
    if (error) *error = CFileException(CauseOf(errno), fileName);
    return FALSE;
  }
  path_ = fileName;
  return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
  for (;;) {
    ssize_t got = ::read(fd_, buffer, count);
    if (got >= 0) return static_cast<UINT>(got);
    if (errno != EINTR) Fail(CauseOf(errno));
  }
}

void CFile::Write(const void* buffer, UINT count) {
  const auto* bytes = static_cast<const BYTE*>(buffer);
  while (count > 0) {
    ssize_t put = ::write(fd_, bytes, count);
    if (put < 0) {
      if (errno == EINTR) continue;
      Fail(CauseOf(errno));
    }
    bytes += put;
    count -= static_cast<UINT>(put);
  }
}

std::uint64_t CFile::Seek(std::int64_t offset, UINT from) {
  int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
  off_t at = ::lseek(fd_, static_cast<off_t>(offset), whence);
  if (at < 0) Fail(CauseOf(errno));
  return static_cast<std::uint64_t>(at);
}

std::uint64_t CFile::GetPosition() const {
  off_t at = ::lseek(fd_, 0, SEEK_CUR);
  if (at < 0) Fail(CauseOf(errno));
  return static_cast<std::uint64_t>(at);
}

std::uint64_t CFile::GetLength() const {
  struct stat info;
  if (::fstat(fd_, &info) != 0) Fail(CauseOf(errno));
  return static_cast<std::uint64_t>(info.st_size);
}

void CFile::Flush() {
  if (fd_ >= 0 && ::fsync(fd_) != 0 && errno != EINVAL) Fail(CauseOf(errno));
}

void CFile::Close() {
  if (fd_ < 0) return;
  int result = ::close(fd_);
  fd_ = -1;
  if (result != 0 && errno != EINTR) Fail(CauseOf(errno));
}

void CFile::Abort() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}
