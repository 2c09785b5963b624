// What the framework's own allocations do when memory runs out. The program installs its
// low-memory handler here at start-up: an allocation that fails calls it with the size it could
// not get and is tried again for as long as the handler returns non-zero. Without a handler the
// allocation fails.
#pragma once

#include <cstddef>

using AFX_PNH = int (*)(std::size_t size);

// Installs `handler` (nullptr: none) and returns the one installed before.
AFX_PNH AfxSetNewHandler(AFX_PNH handler);

// realloc through the handler: null only when the block cannot be had and no handler asks for
// another try (the block passed in then stays as it was).
void* AfxReallocRetrying(void* block, std::size_t size);

// How blocks are reallocated; replaceable so that a failing allocation can be driven. nullptr
// restores realloc.
using AfxBlockReallocator = void* (*)(void* block, std::size_t size);
AfxBlockReallocator AfxSetBlockReallocator(AfxBlockReallocator reallocator);
