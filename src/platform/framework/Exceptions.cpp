#include "platform/framework/Exceptions.h"

const char* CArchiveException::what() const noexcept {
  static const char* const causes[] = {"none",      "generic",  "readOnly", "endOfFile",
                                       "writeOnly", "badIndex", "badClass", "badSchema"};
  return m_cause >= none && m_cause <= badSchema ? causes[m_cause] : "archive exception";
}

void AfxThrowArchiveException(int cause, const char* fileName) { throw CArchiveException(cause, fileName); }

void AfxThrowMemoryException() { throw CMemoryException(); }

void AfxThrowUserException() { throw CUserException(); }
