#include "views/ExportImageName.h"

namespace {

bool SameIgnoringCase(const CString& a, const CString& b) {
  if (a.GetLength() != b.GetLength()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (int i = 0; i < a.GetLength(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace

XString DefaultExportName(const XString& pathName, const XString& extension, const XString& untitled) {
  if (pathName.IsEmpty()) return untitled;
  // A dot in a folder name ("My.Scenes") is not the file's extension.
  int nameStart = 0;
  for (int i = 0; i < pathName.GetLength(); ++i)
    if (pathName[i] == '/' || pathName[i] == '\\') nameStart = i + 1;
  const int dot = pathName.Find('.', nameStart);
  if (dot > nameStart && SameIgnoringCase(pathName.Mid(dot), extension)) return pathName.Left(dot);
  return pathName;
}
