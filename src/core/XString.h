// The program's string: the framework string with string-table loading, "%1".."%5"
// substitution, number texts and path helpers. Paths are split at "/" (string 49, the separator
// the program writes) and also at "\", which paths in files written on Windows carry.
#pragma once

#include <initializer_list>

#include "platform/framework/String.h"

class XString : public CString {
 public:
  XString() = default;
  XString(const char* text) : CString(text) {}  // NOLINT
  XString(const CString& text) : CString(text) {}  // NOLINT
  // The string-table text `id`; a missing id is a fatal check.
  explicit XString(UINT id);
  // The decimal text of `value`.
  explicit XString(long value);
  // `format` with each "%1" replaced by a1, then each "%2" by a2, and so on; placeholders beyond
  // the arguments stay. Every pass scans the whole text, including earlier arguments.
  XString(const CString& format, const CString& a1);
  XString(const CString& format, const CString& a1, const CString& a2);
  XString(const CString& format, const CString& a1, const CString& a2, const CString& a3);
  XString(const CString& format, const CString& a1, const CString& a2, const CString& a3, const CString& a4);
  XString(const CString& format, const CString& a1, const CString& a2, const CString& a3, const CString& a4,
          const CString& a5);

  // Index of the first occurrence of `text` at or after `start`; -1 when none or when empty.
  int FindFrom(int start, const char* text) const;
  // The index after the character at `i` (bytes are characters here); the length at the end.
  int NextCharIndex(int i) const;
  // Replaces every occurrence of `oldText` at or after `start`; inserted text is not searched
  // again. An empty `oldText` replaces nothing.
  void ReplaceAll(int start, const char* oldText, const char* newText);

  XString GetFileName() const;
  // The file name without an extension of one to three characters.
  XString GetFileTitle() const;
  // The one to three characters after a '.' fourth, third or second from the end.
  XString GetExtension() const;
  // The directory part: a drive ("C:"), a root or relative prefix with its separator ("/", "../",
  // "C:\"), or the text before the last separator.
  XString GetDirectory() const;
  // Appends the separator unless empty or ending in a separator or ':'.
  XString AddTrailingSeparator() const;
  // The text before the first line break (a command's prompt without its tooltip).
  XString GetPromptText() const;

 private:
  void Substitute(std::initializer_list<const CString*> arguments);
  // The index just after the last separator, 0 when there is none.
  int AfterLastSeparator() const;
};
