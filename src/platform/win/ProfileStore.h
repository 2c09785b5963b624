// The per-user preference store: string values by section and key, the way the program's
// profile functions see them. The program opens the user's file at start-up (FileProfileStore.h);
// until then, and in tests, values live in memory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win/ProfileText.h"
#include "platform/win/WinTypes.h"

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The stored value, or `defaultValue` when none is stored or the store cannot be read.
  std::string GetProfileString(std::string_view section, std::string_view key, std::string_view defaultValue);

  // Stores the value, creating the section and the key on first write. FALSE, with the previous
  // value kept, when the entry cannot be stored (see IsStorableProfileEntry) or the store cannot
  // be written.
  BOOL WriteProfileString(std::string_view section, std::string_view key, std::string_view value);

 protected:
  virtual std::optional<std::string> Read(std::string_view section, std::string_view key) = 0;
  virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

class MemoryProfileStore final : public ProfileStore {
 public:
  const ProfileData& Data() const { return data_; }

 protected:
  std::optional<std::string> Read(std::string_view section, std::string_view key) override;
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  ProfileData data_;
};

// The store the program reads and writes.
ProfileStore& CurrentProfileStore();

// Installs `store` (nullptr restores the built-in memory store) and returns the previous one
// (nullptr for the built-in store). The caller keeps ownership.
ProfileStore* SetProfileStore(ProfileStore* store);
