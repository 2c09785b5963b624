#include "core/XString.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/FatalError.h"

namespace {

constexpr UINT kSeparator = 49;

// The path separator from the string table; it must be one character.
XString Separator() {
  XString s(kSeparator);
  XASSERT(s.GetLength() == 1, "");
  return s;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Length of the extension ending `name` (1 to 3), 0 when it has none.
int ExtensionLength(const CString& name) {
  const int l = name.GetLength();
  for (int n = 3; n >= 1; --n)
    if (l >= n + 1 && name[l - n - 1] == '.') return n;
  return 0;
}

}  // namespace

XString::XString(UINT id) {
  const std::string description = "Non-existent string resource id " + std::to_string(id);
  XASSERT(LoadString( id ), description.c_str());
}

XString::XString(long value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%ld", value);
  CString::operator=(buffer);
}

XString::XString(const CString& format, const CString& a1) : CString(format) { Substitute({&a1}); }
XString::XString(const CString& format, const CString& a1, const CString& a2) : CString(format) {
  Substitute({&a1, &a2});
}
XString::XString(const CString& format, const CString& a1, const CString& a2, const CString& a3) : CString(format) {
  Substitute({&a1, &a2, &a3});
}
XString::XString(const CString& format, const CString& a1, const CString& a2, const CString& a3, const CString& a4)
    : CString(format) {
  Substitute({&a1, &a2, &a3, &a4});
}
XString::XString(const CString& format, const CString& a1, const CString& a2, const CString& a3, const CString& a4,
                 const CString& a5)
    : CString(format) {
  Substitute({&a1, &a2, &a3, &a4, &a5});
}

void XString::Substitute(std::initializer_list<const CString*> arguments) {
  char marker[] = "%0";
  for (const CString* argument : arguments) {
    ++marker[1];
    ReplaceAll(0, marker, *argument);
  }
}

int XString::FindFrom(int start, const char* text) const {
  if (IsEmpty()) return -1;
  return Find(text, start);
}

int XString::NextCharIndex(int i) const {
  if (IsEmpty()) return 0;
  return i >= GetLength() ? GetLength() : i + 1;
}

void XString::ReplaceAll(int start, const char* oldText, const char* newText) {
  const int oldLength = static_cast<int>(std::strlen(oldText));
  if (oldLength == 0) return;
  const int newLength = static_cast<int>(std::strlen(newText));
  for (int i = FindFrom(start, oldText); i != -1; i = FindFrom(i + newLength, oldText))
    CString::operator=(Left(i) + newText + Mid(i + oldLength));
}

int XString::AfterLastSeparator() const {
  int last = 0;
  for (int i = 0; i < GetLength(); i = NextCharIndex(i))
    if (IsSeparator(GetAt(i))) last = i + 1;
  return last;
}

XString XString::GetFileName() const { return Mid(AfterLastSeparator()); }

XString XString::GetFileTitle() const {
  XString name = GetFileName();
  const int n = ExtensionLength(name);
  return n ? XString(name.Left(name.GetLength() - n - 1)) : name;
}

XString XString::GetExtension() const { return Right(ExtensionLength(*this)); }

XString XString::GetDirectory() const {
  const int last = AfterLastSeparator();
  const bool drive = GetLength() >= 2 && GetAt(1) == ':';
  if (last == 0 && drive) return Left(2);
  if (last > 0 && last < 4 && (last == 1 || GetAt(0) == '.' || drive)) return Left(last);
  return last > 0 ? XString(Left(last - 1)) : XString();
}

XString XString::AddTrailingSeparator() const {
  const XString separator = Separator();
  if (IsEmpty()) return *this;
  const char end = GetAt(GetLength() - 1);
  if (IsSeparator(end) || end == ':') return *this;
  return XString(*this + separator);
}

XString XString::GetPromptText() const {
  const int lineBreak = Find('\n');
  return lineBreak < 0 ? *this : XString(Left(lineBreak));
}
