// Files the archive reads and writes: CFile over a file on disk, and (MemFile.h) a block of memory.
// Read may deliver fewer bytes than asked (0 at the end); Write writes everything or throws.
#pragma once

#include "platform/framework/Exceptions.h"
#include "platform/framework/Object.h"
#include "platform/framework/String.h"

class CFile : public CObject {
 public:
  enum OpenFlags : UINT { modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002, modeCreate = 0x1000 };
  enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

  CFile() = default;
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Opens a file on disk; modeCreate creates it or empties an existing one. On failure returns
  // FALSE and fills `error` when given.
  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  [[nodiscard]] virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual std::uint64_t Seek(std::int64_t offset, UINT from);
  virtual std::uint64_t GetPosition() const;
  virtual std::uint64_t GetLength() const;
  virtual void Flush();
  virtual void Close();
  // Closes without reporting a failure: the clean-up after a failure already being reported.
  virtual void Abort();
  CString GetFilePath() const { return path_; }

 protected:
  CString path_;

 private:
  [[noreturn]] void Fail(int cause) const;
  int fd_ = -1;
};
