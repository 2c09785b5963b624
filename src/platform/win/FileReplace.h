// Whole-file reading and writing for small files that must never be left half written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class FileReadStatus { ok, missing, failed };

// Reads the whole file into `bytes`; `missing` when it does not exist.
FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes);

// The permissions of a file that did not exist before: the owner's only (settings), or those the
// user's umask gives (the user's own documents and images).
enum class NewFileMode { ownerOnly, fromUmask };

// Writes `bytes` to a temporary file beside `path` and renames it over `path` once complete, so
// the target holds either its old or its new contents. The temporary files that writers killed
// part way left beside `path` go first (SavingFiles.h). Creates missing folders (mode 0700). When
// `path` is a symbolic link the file it leads to is replaced and the link stays; the new file
// keeps the permissions of the one it replaces (a new file gets those of `newFile`).
bool ReplaceFile(const std::string& path, std::string_view bytes, NewFileMode newFile = NewFileMode::ownerOnly);

// The permission bits a file written to replace `target` is to have: those of `target`, or of
// `newFile` when there is no such file yet.
unsigned ReplacementMode(const std::string& target, NewFileMode newFile);
// Whether ReplaceFile could write `path` now: its folder takes new files and it is no folder itself.
// Lets a long job that ends in writing a file refuse a blocked path before it starts.
bool CanReplaceFile(const std::string& path);

// Whether the existing file `path` (after its links) is not to be replaced in place: it is marked
// read-only (nobody may write it, which holds for the administrator too), the user may not write
// it, or its folder takes no new files. False when there is no such file.
bool IsReadOnlyFile(const std::string& path);

// The file `path` finally names after following symbolic links (itself when it is none).
std::string ResolveLinks(const std::string& path);

// Creates the folders of `folder` that are missing (mode 0700); false when one cannot be made.
bool MakeFolders(const std::string& folder);

// Holds an exclusive lock on the folder of `path` (made when missing) for its lifetime, so that
// the read-change-write of the files in it by several processes happens one at a time.
class FolderLock {
 public:
  explicit FolderLock(const std::string& path);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};
