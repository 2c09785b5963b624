// The file name an export proposes: the scene's path without the scene extension, or "Untitled"
// for a scene never saved.
#pragma once

#include "core/XString.h"

// `pathName` without `extension` (with its dot, any letter case) when the file name, not a folder
// name, ends in it after its first dot; `untitled` when `pathName` is empty.
XString DefaultExportName(const XString& pathName, const XString& extension, const XString& untitled);
