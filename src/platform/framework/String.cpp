#include "platform/framework/String.h"

#include <algorithm>

#include "platform/win/StringResources.h"

namespace {

std::size_t Clamp(int index, std::size_t size) {
  return index <= 0 ? 0 : std::min(static_cast<std::size_t>(index), size);
}

int ToIndex(std::size_t at) { return at == std::string::npos ? -1 : static_cast<int>(at); }

}  // namespace

int CString::Find(char c, int start) const {
  if (start < 0 || static_cast<std::size_t>(start) >= text_.size()) return -1;
  return ToIndex(text_.find(c, static_cast<std::size_t>(start)));
}

int CString::Find(const char* text, int start) const {
  if (!text || start < 0 || static_cast<std::size_t>(start) > text_.size()) return -1;
  return ToIndex(text_.find(text, static_cast<std::size_t>(start)));
}

CString CString::Left(int count) const { return CString(text_.substr(0, Clamp(count, text_.size()))); }

CString CString::Mid(int first) const { return CString(text_.substr(Clamp(first, text_.size()))); }

CString CString::Mid(int first, int count) const {
  std::size_t from = Clamp(first, text_.size());
  return CString(text_.substr(from, Clamp(count, text_.size() - from)));
}

CString CString::Right(int count) const {
  std::size_t n = Clamp(count, text_.size());
  return CString(text_.substr(text_.size() - n));
}

BOOL CString::LoadString(UINT id) {
  const char* text = FindStringResource(id);
  if (!text) return FALSE;
  text_ = text;
  return TRUE;
}
