#include "support/TestEnvironment.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string g_home;
pid_t g_owner = 0;

// Only by the process that made it: a forked child that exits must leave its parent's home.
void RemoveHome() {
  if (::getpid() != g_owner) return;
  std::error_code ignored;
  std::filesystem::remove_all(g_home, ignored);
}

}  // namespace

void PrepareTestEnvironment() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tavrolin-home-XXXXXX";
  if (!::mkdtemp(pattern.data())) std::abort();
  g_home = pattern;
  g_owner = ::getpid();
  std::atexit(&RemoveHome);
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
