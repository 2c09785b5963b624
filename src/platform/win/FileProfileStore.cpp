#include "platform/win/FileProfileStore.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/win/FileReplace.h"

std::optional<ProfileData> FileProfileStore::Load() const {
  std::string text;
  switch (ReadWholeFile(path_, text)) {
    case FileReadStatus::ok: return ProfileData::Parse(text);
    case FileReadStatus::missing: return ProfileData();
    case FileReadStatus::failed: break;
  }
  return std::nullopt;
}

std::optional<std::string> FileProfileStore::Read(std::string_view section, std::string_view key) {
  std::optional<ProfileData> data = Load();
  const std::string* value = data ? data->Find(section, key) : nullptr;
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

bool FileProfileStore::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::optional<ProfileData> data = Load();
  if (!data) return false;
  return !data->Set(section, key, value) || ReplaceFile(path_, data->Format());
}

std::string UserProfilePath(const char* company, const char* application) {
  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
      const passwd* user = ::getpwuid(::getuid());
      home = user ? user->pw_dir : nullptr;
    }
    if (!home || home[0] != '/') return {};
    config = std::string(home) + "/.config";
  }
  return config + '/' + company + '/' + application + ".ini";
}

void OpenUserProfile(const char* company, const char* application) {
  // Never destroyed: objects destroyed at exit may still write preferences.
  static FileProfileStore* userStore = nullptr;
  FileProfileStore* previous = userStore;
  userStore = new FileProfileStore(UserProfilePath(company, application));
  SetProfileStore(userStore);
  delete previous;
}
