// Opening the files the program reads from outside. Only regular files are read: a FIFO blocks
// the open until a writer comes and the reads until it writes, a device such as /dev/zero never
// ends, and a folder holds no data. Anything else counts as a file that cannot be opened.
#pragma once

#include <cstdio>

// A descriptor open for reading on the regular file `path` (close-on-exec, reads that wait as
// usual), or -1 with errno set: EISDIR for a folder, EINVAL for anything else that is no regular
// file, the system's own reason when it cannot be opened at all.
int OpenRegularFile(const char* path);

// The same as a binary stdio stream; null when it cannot be opened.
std::FILE* OpenRegularFileStream(const char* path);
