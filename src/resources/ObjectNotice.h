// The fixed notice that opens every object file. A file is an object file only when its first
// 288 bytes equal this text and its terminating NUL.
#pragma once

#include <cstddef>

inline constexpr std::size_t kObjectNoticeSize = 288;  // 287 characters and a NUL

extern const char kObjectNotice[kObjectNoticeSize];
