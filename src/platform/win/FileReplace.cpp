#include "platform/win/FileReplace.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/win/RegularFile.h"
#include "platform/win/SavingFiles.h"

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return true;
  struct stat st;
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  std::size_t slash = folder.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash))) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string ResolveLinks(const std::string& path) {
  std::string resolved = path;
  // A loop of links ends after as many steps as the system itself follows.
  for (int step = 0; step < 40; ++step) {
    struct stat st;
    if (::lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
    const ssize_t n = ::readlink(resolved.c_str(), target.data(), target.size());
    if (n <= 0) break;
    target.resize(static_cast<std::size_t>(n));
    resolved = target.front() == '/' ? target : FolderOf(resolved) + '/' + target;
  }
  return resolved;
}

FolderLock::FolderLock(const std::string& path) {
  const std::string folder = FolderOf(path);
  if (!MakeFolders(folder)) return;
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  int result;
  while ((result = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (result != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing drops the lock
}

FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  const int fd = OpenRegularFile(path.c_str());
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileReadStatus::missing : FileReadStatus::failed;
  char buffer[4096];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return FileReadStatus::failed;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return FileReadStatus::ok;
}

unsigned ReplacementMode(const std::string& target, NewFileMode newFile) {
  struct stat old;
  if (::stat(target.c_str(), &old) == 0) return old.st_mode & 07777;
  if (newFile == NewFileMode::ownerOnly) return 0600;
  // The mask can only be read by setting it; it is put back at once.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

namespace {

// Opens a new temporary file beside `target`, making the missing folders on the way; -1 on failure.
// It is named as a document's save names its file, so that what a killed writer left beside the
// target goes with the next write of either kind.
int CreateTemporaryBeside(const std::string& target, std::string& temporary) {
  const std::size_t slash = target.find_last_of('/');
  if (slash != std::string::npos && !MakeFolders(target.substr(0, slash))) return -1;
  RemoveAbandonedSaves(target);
  temporary = SavingPathFor(target);
  int fd;
  while ((fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)) < 0 && errno == EINTR) {
  }
  return fd;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes, NewFileMode newFile) {
  if (path.empty()) return false;
  const std::string target = ResolveLinks(path);
  std::string temporary;
  int fd = CreateTemporaryBeside(target, temporary);
  if (fd < 0) return false;
  bool written = ::fchmod(fd, ReplacementMode(target, newFile)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

bool CanReplaceFile(const std::string& path) {
  if (path.empty()) return false;
  const std::string target = ResolveLinks(path);
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
  std::string temporary;
  const int fd = CreateTemporaryBeside(target, temporary);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(temporary.c_str());
  return true;
}

bool IsReadOnlyFile(const std::string& path) {
  if (path.empty()) return false;
  const std::string target = ResolveLinks(path);
  struct stat st;
  if (::stat(target.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (!(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) || ::access(target.c_str(), W_OK) != 0) return true;
  return !CanReplaceFile(target);
}
