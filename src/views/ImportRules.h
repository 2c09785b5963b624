// The rules of importing an object file into a camera window: the file types of the dialog, the
// name a clashing object gets, what a load result means, and where the object is placed.
#pragma once

#include <functional>
#include <string>

#include "core/Transform.h"

// The dialog's file types in filter order; the last is "All files".
constexpr int kImportTypeCount = 9;
constexpr int kAllFilesType = kImportTypeCount - 1;
constexpr UINT kUnsupportedImportMessage = 40040;
constexpr UINT kMoreObjectsCommand = 33017;

struct ImportType {
  UINT documentString;  // the type's document string: its filter text and extension
  bool reversed;
  bool doubleSided;
};
const ImportType& GetImportType(int index);

// The type to import with: the chosen one, or under "All files" the last type whose extension
// equals "." + `extension` exactly (case counts). -1 when none matches.
int ResolveImportType(int chosen, const std::string& extension);

// The name of an object clashing with one in use, when the user asks for a different name: the
// first of name + " 0", " 1", ... not in use.
std::string UniqueImportName(const std::string& name, const std::function<bool(const std::string&)>& inUse);

// What a mesh load result means for the import: go on, or stop with a message (0: none).
struct ImportOutcome {
  bool proceed;
  UINT message;
};
ImportOutcome ImportLoadOutcome(int loadResult);

// The translation that puts the centre of `box` on the camera's line of sight at `distance`.
Transform ImportPlacement(const Transform& camera, const BoundingBox& box, double distance);
