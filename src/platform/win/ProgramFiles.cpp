#include "platform/win/ProgramFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <strings.h>

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::vector<std::string> CandidateNames(std::string_view name) {
  std::vector<std::string> names;
  if (name.size() > 4 && ::strncasecmp(name.data() + name.size() - 4, ".exe", 4) == 0)
    names.emplace_back(name.substr(0, name.size() - 4));
  names.emplace_back(name);
  return names;
}

}  // namespace

std::string ProgramPath() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  return n > 0 && static_cast<std::size_t>(n) < sizeof buffer ? std::string(buffer, static_cast<std::size_t>(n))
                                                               : std::string();
}

std::string ProgramDirectory() {
  std::string path = ProgramPath();
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false, quoted = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

std::string FindProgram(std::string_view name, const std::string& programDirectory, const char* searchPath) {
  if (name.empty()) return {};
  std::vector<std::string> names = CandidateNames(name);
  if (name.find('/') != name.npos) {
    for (const std::string& candidate : names)
      if (IsExecutableFile(candidate)) return candidate;
    return {};
  }

  // Empty PATH entries (the current folder) are not searched: the program's working folder
  // holds the user's documents, not programs.
  std::vector<std::string> folders;
  if (!programDirectory.empty()) folders.push_back(programDirectory);
  for (std::string_view rest = searchPath ? searchPath : ""; !rest.empty();) {
    std::size_t colon = rest.find(':');
    std::string_view folder = rest.substr(0, colon);
    if (!folder.empty()) folders.emplace_back(folder);
    rest.remove_prefix(colon == rest.npos ? rest.size() : colon + 1);
  }
  for (const std::string& folder : folders)
    for (const std::string& candidate : names)
      if (std::string path = folder + '/' + candidate; IsExecutableFile(path)) return path;
  return {};
}
