#include "platform/win/FileProfileStore.h"

#include <cstdlib>

#include "platform/win/CurrentDirectory.h"
#include "platform/win/FileReplace.h"

bool FileProfileStore::Stamp::operator==(const Stamp& o) const {
  auto same = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
  return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
         same(modified, o.modified) && same(changed, o.changed);
}

FileProfileStore::Stamp FileProfileStore::StampOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return {};
  return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

ProfileData* FileProfileStore::Current() {
  // The stamp is taken before the contents, so a change between the two is read again next time.
  const Stamp stamp = StampOf(path_);
  if (cache_ && stamp == stamp_) return &*cache_;
  std::string text;
  switch (ReadWholeFile(path_, text)) {
    case FileReadStatus::ok: cache_ = ProfileData::Parse(text); break;
    case FileReadStatus::missing: cache_ = ProfileData(); break;
    case FileReadStatus::failed: cache_.reset(); return nullptr;
  }
  stamp_ = stamp;
  return &*cache_;
}

std::optional<std::string> FileProfileStore::Read(std::string_view section, std::string_view key) {
  const ProfileData* data = Current();
  const std::string* value = data ? data->Find(section, key) : nullptr;
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

bool FileProfileStore::Write(std::string_view section, std::string_view key, std::string_view value) {
  const FolderLock lock(ResolveLinks(path_));
  ProfileData* data = lock.Held() ? Current() : nullptr;
  if (!data) return false;
  if (!data->Set(section, key, value)) return true;
  if (!ReplaceFile(path_, data->Format())) {
    cache_.reset();  // the change is not on disk
    return false;
  }
  stamp_ = StampOf(path_);
  return true;
}

std::string UserProfilePath(const char* company, const char* application) {
  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    config = xdg;
  } else {
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    config = home + "/.config";
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
