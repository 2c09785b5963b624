// A file in one block of memory. It either owns a block that grows in steps of `growBytes`
// (allocated with malloc, so a detached block is freed with free; growth that finds memory short
// waits for the framework's low-memory handler), or is attached to a block that stays its owner's
// and never grows.
#pragma once

#include "platform/framework/File.h"

class CMemFile : public CFile {
 public:
  explicit CMemFile(UINT growBytes = 1024) : grow_(growBytes) {}
  CMemFile(BYTE* buffer, UINT size) { Attach(buffer, size); }
  ~CMemFile() override;

  // Works on `size` bytes at `buffer` (the file's length), without growing or freeing them.
  void Attach(BYTE* buffer, UINT size);
  // Hands the block over to the caller (nullptr when there is none) and leaves the file empty.
  BYTE* Detach();

  BOOL Open(const char*, UINT, CFileException* error = nullptr) override;
  [[nodiscard]] UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  std::uint64_t Seek(std::int64_t offset, UINT from) override;
  std::uint64_t GetPosition() const override { return position_; }
  std::uint64_t GetLength() const override { return length_; }
  void Flush() override {}
  void Close() override;

 private:
  void Grow(std::size_t needed);

  BYTE* block_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t length_ = 0;
  std::size_t position_ = 0;
  UINT grow_ = 0;
  bool owned_ = true;
};
