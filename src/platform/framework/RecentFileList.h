// The recent-file list: the paths opened or saved last, newest first, kept in the preference
// store and shown in the File menu in place of its first recent-file item.
#pragma once

#include <string>
#include <vector>

#include "platform/framework/String.h"

class CCmdUI;

class CRecentFileList {
 public:
  // Up to `size` entries, stored as keys "File1" ... in `section`.
  CRecentFileList(UINT startId, const char* section, UINT size);

  // Moves `path` to the top, dropping the oldest entry when full. Paths compare without regard
  // to case, as the same file may be named either way.
  void Add(const char* path);
  void Remove(int index);
  int GetSize() const { return static_cast<int>(size_); }
  int GetCount() const { return static_cast<int>(paths_.size()); }
  const std::string& operator[](int index) const { return paths_[static_cast<std::size_t>(index)]; }

  void ReadList();
  void WriteList() const;
  // Shows the entries as "&1 name" ... items in the menu of the first recent-file item, or that
  // item greyed when the list is empty.
  void UpdateMenu(CCmdUI* ui) const;

 private:
  UINT startId_;
  std::string section_;
  UINT size_;
  std::vector<std::string> paths_;
};
