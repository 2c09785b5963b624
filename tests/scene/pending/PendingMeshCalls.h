// Stand-ins for the mesh object's jobs that are built elsewhere: picking and cartoon lines. Each
// file of this folder stands for the source file of the same name without "Pending" and goes when
// that file comes. The generated meshes call the cartoon edge build: those calls are counted.
// Any other stand-in that is reached throws: that job is not built yet.
#pragma once

#include <stdexcept>
#include <string>

struct PendingMeshCalls {
  int buildCartoonEdges = 0;
};

PendingMeshCalls& Pending();

[[noreturn]] inline void NotBuiltYet(const char* what) { throw std::logic_error(std::string(what) + " is not built yet"); }
