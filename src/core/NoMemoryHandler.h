// The low-memory handler: the allocator's failure handler and the hook of every retry loop
// around calls that can fail for lack of memory. Always returns 1 (retry).
#pragma once

#include <cstddef>

int NoMemoryHandler(std::size_t size);
