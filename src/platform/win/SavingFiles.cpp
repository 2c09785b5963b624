#include "platform/win/SavingFiles.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

constexpr char kSaving[] = ".saving-";

// The process id in the rest of a saving file's name ("<pid>-<count>"); 0 when it is none.
pid_t ProcessOf(const std::string& rest) {
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string::npos || dash + 1 == rest.size() || dash > 9) return 0;
  for (std::size_t i = 0; i < rest.size(); ++i)
    if (i != dash && (rest[i] < '0' || rest[i] > '9')) return 0;
  return static_cast<pid_t>(std::stol(rest.substr(0, dash)));
}

// Whether a save of `process` may still be under way: this process saves one file at a time.
bool MaySave(pid_t process) {
  if (process == ::getpid()) return false;
  return ::kill(process, 0) == 0 || errno != ESRCH;
}

}  // namespace

std::string SavingPathFor(const std::string& target) {
  static unsigned counter = 0;
  return target + kSaving + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

void RemoveAbandonedSaves(const std::string& target) {
  const std::filesystem::path path(target);
  const std::string prefix = path.filename().string() + kSaving;
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const pid_t process = ProcessOf(name.substr(prefix.size()));
    std::error_code ignored;  // a file that cannot go stays, and the save goes on
    if (process > 0 && !MaySave(process)) std::filesystem::remove(it->path(), ignored);
  }
}
