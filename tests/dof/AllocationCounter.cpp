#include "dof/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

thread_local long* counted = nullptr;  // the count of the newest live counter

void* Allocate(std::size_t size) {
  if (counted) ++*counted;
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}

}  // namespace

AllocationCounter::AllocationCounter() : previous_(counted) { counted = &count_; }

AllocationCounter::~AllocationCounter() { counted = previous_; }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
