// Finding and reading files named by the program or inside data: the exact name first, then the
// same name with "\" taken as a folder separator, then a file in that folder whose name differs
// only in letter case (the first in name order).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace d3drm {

enum class FileReadResult { kOk, kMissing, kUnreadable };

// The path under which `name` exists, by the rules above; empty when there is none.
std::string FindFile(const std::string& name);

// Whether `path` is a regular file that can be opened for reading (RegularFile.h).
bool CanOpenForReading(const std::string& path);

FileReadResult ReadWholeFile(const std::string& name, std::vector<std::uint8_t>* bytes);

}  // namespace d3drm
