#include "platform/d3drm/FileLookup.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/win/RegularFile.h"

namespace d3drm {
namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
  });
}

std::string FindIgnoringCase(const fs::path& path) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string wanted = path.filename().string();
  std::vector<std::string> matches;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (SameIgnoringCase(it->path().filename().string(), wanted)) matches.push_back(it->path().string());
  if (matches.empty()) return {};
  return *std::min_element(matches.begin(), matches.end());
}

std::FILE* OpenForReading(const std::string& path) { return OpenRegularFileStream(path.c_str()); }

FileReadResult ReadExisting(const std::string& name, std::vector<std::uint8_t>* bytes) {
  std::FILE* file = OpenForReading(name);
  if (!file) return FileReadResult::kUnreadable;
  bytes->clear();
  std::uint8_t buffer[65536];
  bool failed = false;
  for (;;) {
    const std::size_t read = std::fread(buffer, 1, sizeof buffer, file);
    bytes->insert(bytes->end(), buffer, buffer + read);
    if (read < sizeof buffer) {
      failed = std::ferror(file) != 0;
      break;
    }
  }
  std::fclose(file);
  return failed ? FileReadResult::kUnreadable : FileReadResult::kOk;
}

}  // namespace

std::string FindFile(const std::string& name) {
  if (name.empty()) return {};
  std::error_code error;
  if (fs::exists(name, error)) return name;
  std::string slashed = name;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  if (fs::exists(slashed, error)) return slashed;
  return FindIgnoringCase(fs::path(slashed));
}

bool CanOpenForReading(const std::string& path) {
  std::FILE* file = OpenForReading(path);
  if (file) std::fclose(file);
  return file != nullptr;
}

FileReadResult ReadWholeFile(const std::string& name, std::vector<std::uint8_t>* bytes) {
  const std::string found = FindFile(name);
  return found.empty() ? FileReadResult::kMissing : ReadExisting(found, bytes);
}

}  // namespace d3drm
