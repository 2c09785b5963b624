// The files that a document's save and a whole-file replacement (FileReplace.h) write beside
// their target before renaming them over it.
#pragma once

#include <string>

// A name beside `target` that no other save uses at the same time: the target's name followed by
// ".saving-", the process id, "-" and a count.
std::string SavingPathFor(const std::string& target);

// Removes the files beside `target` that its saves left when their program was killed: those of
// processes that no longer run and older ones of this process, whose saves have all ended.
void RemoveAbandonedSaves(const std::string& target);
