// The framework's exceptions. They are thrown by value and caught by reference.
#pragma once

#include <exception>

#include "platform/framework/String.h"

class CException : public std::exception {};

// A load or store that cannot go on: damaged or foreign data, or an archive used the wrong way.
// badIndex and badClass carry the archive's file name; badSchema carries none.
class CArchiveException : public CException {
 public:
  enum { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

  explicit CArchiveException(int cause = none, const char* fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}
  const char* what() const noexcept override;

  int m_cause;
  CString m_strFileName;
};

// A file that cannot be opened, read or written.
class CFileException : public CException {
 public:
  enum { none, generic, fileNotFound, accessDenied, hardIO, diskFull };

  explicit CFileException(int cause = none, const char* fileName = nullptr)
      : m_cause(cause), m_strFileName(fileName) {}
  const char* what() const noexcept override { return "file exception"; }

  int m_cause;
  CString m_strFileName;
};

// Memory could not be had (or a factory made no object).
class CMemoryException : public CException {
 public:
  const char* what() const noexcept override { return "memory exception"; }
};

// Ends the current operation silently: whoever threw it has already told the user.
class CUserException : public CException {
 public:
  const char* what() const noexcept override { return "user exception"; }
};

[[noreturn]] void AfxThrowArchiveException(int cause, const char* fileName = nullptr);
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowUserException();
