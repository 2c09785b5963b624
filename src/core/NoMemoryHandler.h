// The low-memory handler: the allocator's failure handler and the hook of every retry loop
// around calls that can fail for lack of memory. It keeps a reserve of 2 MiB. Called with 0 it
// takes the reserve (installation) or, when held, gives it back for good (shut-down). Called with
// any other size (a real shortage) it gives the reserve back, frees what the program can spare
// (the object clipboard and the desktop clipboard), starts the NoMemoryDialog program that tells
// the user, and returns once it holds the reserve again. Calls made while it runs return at once.
// Always returns 1 (retry).
#pragma once

#include <cstddef>

int NoMemoryHandler(std::size_t size);

// The allocator's failure handler (std::set_new_handler): a shortage of unknown size.
void NoMemoryNewHandler();

// malloc as the program uses it: a failed allocation calls the handler with its size and is tried
// again, as a failed `new` is, so the result is never null. Freed with free.
void* MallocRetrying(std::size_t size);

// Empties the application's object clipboard; installed by the application object.
using ObjectClipboardEmptier = void (*)();
ObjectClipboardEmptier SetObjectClipboardEmptier(ObjectClipboardEmptier emptier);

// Whether the reserve is held.
bool NoMemoryReserveHeld();

// How the reserve is allocated and how the handler waits between attempts to take it back;
// replaceable so that a shortage can be driven. nullptr restores the built-in one.
using ReserveAllocator = void* (*)(std::size_t size);
ReserveAllocator SetReserveAllocator(ReserveAllocator allocator);
using ShortagePause = void (*)();
ShortagePause SetShortagePause(ShortagePause pause);
// How MallocRetrying allocates; replaceable so that a failing allocation can be driven. nullptr
// restores malloc.
using BlockAllocator = void* (*)(std::size_t size);
BlockAllocator SetBlockAllocator(BlockAllocator allocator);
