#include "platform/framework/MemFile.h"

#include <cstdlib>
#include <cstring>

#include "platform/framework/NewHandler.h"

CMemFile::~CMemFile() { Close(); }

void CMemFile::Attach(BYTE* buffer, UINT size) {
  Close();
  block_ = buffer;
  capacity_ = length_ = size;
  grow_ = 0;
  owned_ = false;
}

BYTE* CMemFile::Detach() {
  BYTE* block = block_;
  block_ = nullptr;
  capacity_ = length_ = position_ = 0;
  owned_ = true;
  return block;
}

BOOL CMemFile::Open(const char*, UINT, CFileException* error) {
  if (error) *error = CFileException(CFileException::generic);
  return FALSE;
}

UINT CMemFile::Read(void* buffer, UINT count) {
  std::size_t left = position_ < length_ ? length_ - position_ : 0;
  std::size_t n = count < left ? count : left;
  if (n) std::memcpy(buffer, block_ + position_, n);
  position_ += n;
  return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  std::size_t end = position_ + count;
  if (end > capacity_) Grow(end);
  std::memcpy(block_ + position_, buffer, count);
  position_ = end;
  if (end > length_) length_ = end;
}

std::uint64_t CMemFile::Seek(std::int64_t offset, UINT from) {
  std::int64_t base = from == current ? static_cast<std::int64_t>(position_)
                      : from == end   ? static_cast<std::int64_t>(length_)
                                      : 0;
  if (offset < -base) throw CFileException(CFileException::generic);
  position_ = static_cast<std::size_t>(base + offset);
  return position_;
}

void CMemFile::Close() {
  if (owned_) std::free(block_);
  block_ = nullptr;
  capacity_ = length_ = position_ = 0;
  owned_ = true;
}

void CMemFile::Grow(std::size_t needed) {
  if (grow_ == 0 || !owned_) AfxThrowMemoryException();
  std::size_t capacity = (needed + grow_ - 1) / grow_ * grow_;
  auto* block = static_cast<BYTE*>(AfxReallocRetrying(block_, capacity));
  if (!block) AfxThrowMemoryException();
  block_ = block;
  capacity_ = capacity;
}
