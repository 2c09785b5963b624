#include "dof/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

thread_local long* counted = nullptr;  // the count of the newest live counter

void* AllocateOrNull(std::size_t size) noexcept {
  if (counted) ++*counted;
  return std::malloc(size ? size : 1);
}

void* Allocate(std::size_t size) {
  if (void* memory = AllocateOrNull(size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

AllocationCounter::AllocationCounter() : previous_(counted) { counted = &count_; }

AllocationCounter::~AllocationCounter() { counted = previous_; }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
// Every form that pairs with the deletes below goes through malloc too (libraries use the nothrow
// ones), or the sanitizer sees the runtime's allocation freed with free.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
