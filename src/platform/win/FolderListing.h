// The names of a folder's files that end in a given extension.
#pragma once

#include <string>
#include <vector>

// File names (no folder) in `folder` ending in `extension` (".ulm"), in the order the system
// gives them; empty for a missing folder.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension);
