// The framework's string: a counted sequence of bytes (texts are bytes in the model and in files),
// always followed by a NUL so that it can be handed on as a C string. Indexes are byte offsets.
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

class CString {
 public:
  CString() = default;
  CString(const char* text) : text_(text ? text : "") {}  // NOLINT: converts like the framework's
  CString(const char* bytes, int length) : text_(bytes, length > 0 ? static_cast<std::size_t>(length) : 0) {}
  explicit CString(std::string text) : text_(std::move(text)) {}

  int GetLength() const { return static_cast<int>(text_.size()); }
  BOOL IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  char GetAt(int index) const { return text_[static_cast<std::size_t>(index)]; }
  char operator[](int index) const { return GetAt(index); }
  operator const char*() const { return text_.c_str(); }  // NOLINT: the framework's LPCTSTR conversion
  const std::string& str() const { return text_; }

  CString& operator=(const char* text) {
    text_ = text ? text : "";
    return *this;
  }
  CString& operator+=(const CString& other) {
    text_ += other.text_;
    return *this;
  }
  CString& operator+=(const char* text) {
    if (text) text_ += text;
    return *this;
  }
  CString& operator+=(char c) {
    text_ += c;
    return *this;
  }

  // Index of the first occurrence at or after `start`, or -1.
  int Find(char c, int start = 0) const;
  int Find(const char* text, int start = 0) const;
  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  // Replaces the text with the string-table entry `id`; FALSE (and the text unchanged) when the
  // table has no such entry.
  BOOL LoadString(UINT id);

  friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
  friend bool operator==(const CString& a, const char* b) { return a.text_ == (b ? b : ""); }
  friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }
  friend CString operator+(CString a, const CString& b) { return a += b; }
  friend CString operator+(CString a, const char* b) { return a += b; }
  friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }

 private:
  std::string text_;
};
