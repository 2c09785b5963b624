// Whole-file reading and writing for small files that must never be left half written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class FileReadStatus { ok, missing, failed };

// Reads the whole file into `bytes`; `missing` when it does not exist.
FileReadStatus ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a temporary file beside `path` and renames it over `path` once complete, so
// the target holds either its old or its new contents. Creates missing folders (mode 0700).
bool ReplaceFile(const std::string& path, std::string_view bytes);
