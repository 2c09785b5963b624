// Test support: runs the same archive cases over a memory file, a file on disk, and a file that
// hands out one byte per read; and builds expected byte images.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/framework/Archive.h"
#include "platform/framework/MemFile.h"

using Bytes = std::vector<BYTE>;

enum class Backend { memory, disk, oneByte };
std::string BackendName(const ::testing::TestParamInfo<Backend>& info);
#define ALL_BACKENDS ::testing::Values(Backend::memory, Backend::disk, Backend::oneByte), BackendName

// What `store` writes through an archive on a file of that kind.
Bytes StoreBytes(Backend backend, const std::function<void(CArchive&)>& store);
// Runs `load` on an archive reading `bytes` from a file of that kind.
void LoadBytes(Backend backend, const Bytes& bytes, const std::function<void(CArchive&)>& load);

// Builds an expected image: little-endian numbers, bytes and texts, in order.
class ByteImage {
 public:
  ByteImage& U8(BYTE v) { return Raw(&v, 1); }
  ByteImage& U16(WORD v) { return Raw(&v, 2); }
  ByteImage& U32(DWORD v) { return Raw(&v, 4); }
  ByteImage& F64(double v) { return Raw(&v, 8); }
  ByteImage& Text(const std::string& s) { return Raw(s.data(), s.size()); }
  ByteImage& Raw(const void* p, std::size_t n) {
    const auto* b = static_cast<const BYTE*>(p);
    bytes.insert(bytes.end(), b, b + n);
    return *this;
  }
  // The class record that introduces a class.
  ByteImage& NewClass(WORD schema, const std::string& name) {
    return U16(0xFFFF).U16(schema).U16(static_cast<WORD>(name.size())).Text(name);
  }
  Bytes bytes;
};

// Expects `load` on `bytes` to fail with an archive exception of `cause`.
void ExpectArchiveFailure(Backend backend, const Bytes& bytes, int cause,
                          const std::function<void(CArchive&)>& load);
