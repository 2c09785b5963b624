#include "platform/win/GlobalMemory.h"

#include <memory>
#include <new>
#include <vector>

struct HGLOBAL__ {
  std::vector<BYTE> bytes;
  int locks = 0;
};

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
  try {
    auto block = std::make_unique<HGLOBAL__>();
    block->bytes.assign(bytes, 0);
    return block.release();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

LPVOID GlobalLock(HGLOBAL block) {
  if (!block) return nullptr;
  ++block->locks;
  return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) {
  if (!block || block->locks == 0) return FALSE;
  return --block->locks > 0 ? TRUE : FALSE;
}

std::size_t GlobalSize(HGLOBAL block) { return block ? block->bytes.size() : 0; }

HGLOBAL GlobalFree(HGLOBAL block) {
  delete block;
  return nullptr;
}
