// The user's preference file: one text file per user. It is read once and served from memory, and
// read again when it changed on disk, so that several running copies of the program see each
// other's changes.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/win/ProfileStore.h"

class FileProfileStore final : public ProfileStore {
 public:
  explicit FileProfileStore(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

 protected:
  std::optional<std::string> Read(std::string_view section, std::string_view key) override;
  // Creates the file and its folders on first write; a value equal to the stored one leaves the
  // file untouched. A file that exists but cannot be read is never replaced. Copies of the program
  // writing at the same time take turns, each changing what the file holds when its turn comes.
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  // What the file says of itself: a different inode, size or time means different contents.
  struct Stamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const Stamp& other) const;
  };
  static Stamp StampOf(const std::string& path);

  // The file's contents as they are now, or nullptr when it cannot be read.
  ProfileData* Current();

  std::string path_;
  std::optional<ProfileData> cache_;
  Stamp stamp_;
};

// "<config>/<company>/<application>.ini", where <config> is $XDG_CONFIG_HOME when that is an
// absolute path, else "$HOME/.config". Empty when neither gives a folder.
std::string UserProfilePath(const char* company, const char* application);

// Makes the user's file for `company` and `application` the current store.
void OpenUserProfile(const char* company, const char* application);
