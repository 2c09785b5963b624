// Finding and reading the file a mesh object loads: as stored, then in the objects folder beside
// the program and its sub-folders, then where the user says; a 3D Studio file is converted into
// .x data by the converter program first, in a private folder of its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/XString.h"

class MeshSO;

struct MeshLoadSource {
  MeshLoadSource() = default;
  MeshLoadSource(MeshLoadSource&& other) noexcept;
  MeshLoadSource& operator=(MeshLoadSource&& other) noexcept;
  // Removes the converter's folder with the converted file.
  ~MeshLoadSource();

  std::vector<std::uint8_t> bytes;  // the whole file (for a .3ds file, the converted .x data)
  XString textureFolder;            // where the file's texture names are looked up
  std::filesystem::path conversionFolder;

 private:
  void RemoveConversionFolder();
};

// Fills `source` for the object's file and returns SceneObj::none, or the error of the load:
// damagedFile for a file that cannot be read or a conversion that failed, fileNotFound when the
// user gives up the search, converterNotStarted after message 40246. The object's file becomes
// the path found.
LONG FindMeshSource(MeshSO& object, MeshLoadSource* source);

// The converter's command line for `file` writing `converted`.
XString ConverterCommandLine(const XString& programFolder, BOOL reverse, const XString& converted, const XString& file);
