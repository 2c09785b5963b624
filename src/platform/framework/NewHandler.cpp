#include "platform/framework/NewHandler.h"

#include <cstdlib>
#include <utility>

namespace {

void* ReallocWithLibc(void* block, std::size_t size) { return std::realloc(block, size); }

AFX_PNH newHandler = nullptr;
AfxBlockReallocator reallocate = &ReallocWithLibc;

}  // namespace

AFX_PNH AfxSetNewHandler(AFX_PNH handler) { return std::exchange(newHandler, handler); }

void* AfxReallocRetrying(void* block, std::size_t size) {
  for (;;) {
    if (void* grown = reallocate(block, size)) return grown;
    if (!newHandler || !newHandler(size)) return nullptr;
  }
}

AfxBlockReallocator AfxSetBlockReallocator(AfxBlockReallocator reallocator) {
  return std::exchange(reallocate, reallocator ? reallocator : &ReallocWithLibc);
}
