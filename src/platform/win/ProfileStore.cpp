#include "platform/win/ProfileStore.h"

std::string ProfileStore::GetProfileString(std::string_view section, std::string_view key,
                                           std::string_view defaultValue) {
  std::optional<std::string> value;
  if (IsStorableProfileEntry(section, key, {})) value = Read(section, key);
  return value ? std::move(*value) : std::string(defaultValue);
}

BOOL ProfileStore::WriteProfileString(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsStorableProfileEntry(section, key, value)) return FALSE;
  return Write(section, key, value) ? TRUE : FALSE;
}

std::optional<std::string> MemoryProfileStore::Read(std::string_view section, std::string_view key) {
  const std::string* value = data_.Find(section, key);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

bool MemoryProfileStore::Write(std::string_view section, std::string_view key, std::string_view value) {
  data_.Set(section, key, value);
  return true;
}

namespace {

// Never destroyed: objects destroyed at exit may still write preferences.
MemoryProfileStore& BuiltIn() {
  static auto* store = new MemoryProfileStore;
  return *store;
}

ProfileStore* current = nullptr;

}  // namespace

ProfileStore& CurrentProfileStore() { return current ? *current : BuiltIn(); }

ProfileStore* SetProfileStore(ProfileStore* store) {
  ProfileStore* previous = current;
  current = store;
  return previous;
}
