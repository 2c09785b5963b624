// The user's preference file: one text file per user, read afresh for every access so that
// several running copies of the program see each other's changes.
#pragma once

#include <string>

#include "platform/win/ProfileStore.h"

class FileProfileStore final : public ProfileStore {
 public:
  explicit FileProfileStore(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

 protected:
  std::optional<std::string> Read(std::string_view section, std::string_view key) override;
  // Creates the file and its folders on first write; a value equal to the stored one leaves the
  // file untouched. A file that exists but cannot be read is never replaced.
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  std::optional<ProfileData> Load() const;

  std::string path_;
};

// "<config>/<company>/<application>.ini", where <config> is $XDG_CONFIG_HOME when that is an
// absolute path, else "$HOME/.config". Empty when neither gives a folder.
std::string UserProfilePath(const char* company, const char* application);

// Makes the user's file for `company` and `application` the current store.
void OpenUserProfile(const char* company, const char* application);
