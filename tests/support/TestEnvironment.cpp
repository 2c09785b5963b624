#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/win/ProfileStore.h"

namespace {

std::string g_home;
pid_t g_owner = 0;

// Only by the process that made it: a forked child that exits must leave its parent's home.
void RemoveHome() {
  if (::getpid() != g_owner) return;
  std::error_code ignored;
  std::filesystem::remove_all(g_home, ignored);
}

// HOME, and the XDG folders and TMPDIR as empty folders in it.
void PointIntoHome() {
  setenv("HOME", g_home.c_str(), 1);
  // TMPDIR too: what the code under test puts in the temporary folder goes when the home goes.
  for (const char* folder :
       {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR", "TMPDIR"}) {
    const std::string path = g_home + "/" + folder;
    std::filesystem::create_directory(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    setenv(folder, path.c_str(), 1);
  }
}

// Puts back what a test, or the code it drove, changed for the tests after it: a file chosen in a
// file dialog makes its (often temporary) folder the current one, the program's start installs the
// user's preference file as the store, and preferences and scenes land in the home folder.
class TestIsolation final : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    std::error_code ignored;
    folder_ = std::filesystem::current_path(ignored);
    store_.emplace();
    previousStore_ = SetProfileStore(&*store_);
  }

  void OnTestEnd(const ::testing::TestInfo&) override {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::current_path(folder_, ignored);
    SetProfileStore(previousStore_);
    store_.reset();
    for (const auto& entry : std::filesystem::directory_iterator(g_home, ignored))
      std::filesystem::remove_all(entry.path(), ignored);
    PointIntoHome();
  }

 private:
  std::filesystem::path folder_;
  std::optional<MemoryProfileStore> store_;
  ProfileStore* previousStore_ = nullptr;
};

}  // namespace

void PrepareTestEnvironment() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tavrolin-home-XXXXXX";
  if (!::mkdtemp(pattern.data())) std::abort();
  g_home = pattern;
  g_owner = ::getpid();
  std::atexit(&RemoveHome);
  PointIntoHome();
  ::testing::UnitTest::GetInstance()->listeners().Append(new TestIsolation);
}
