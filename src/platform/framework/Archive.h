// The framework's archive: little-endian numbers, counted strings and counts, and object
// references written once and referred back to afterwards.
//
// Object references:
//   null                  WORD 0x0000
//   new class             WORD 0xFFFF, WORD schema (low 16 bits), WORD name length, name bytes
//   known class           WORD 0x8000 | index, or WORD 0x7FFF then DWORD 0x80000000 | index
//   object written before WORD index (1..0x7FFE), or WORD 0x7FFF then DWORD index
// One counter numbers classes and objects from 1. A new class takes its index before the new
// object that follows it; an object takes its index before its contents are written or read.
//
// Loading trusts nothing it reads: every count and length is checked against the bytes left
// before anything is allocated, and a damaged or foreign archive fails with a CArchiveException.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/framework/Exceptions.h"
#include "platform/framework/File.h"
#include "platform/framework/Object.h"
#include "platform/framework/String.h"

class CArchive {
 public:
  enum Mode : UINT { store = 0, load = 1 };

  // Works on `file` from its current position; `bufferSize` bytes are buffered.
  CArchive(CFile* file, UINT mode, int bufferSize = 4096);
  // A storing archive that was not closed writes what it buffered, unless an exception is on
  // its way out; then it writes nothing more.
  ~CArchive() noexcept(false);
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return mode_ == load; }
  BOOL IsStoring() const { return mode_ == store; }
  CFile* GetFile() const { return file_; }

  // Writes what is buffered (storing) and forgets the objects seen; the archive is done.
  void Close();
  // Like Close, without writing.
  void Abort();
  // Hands what is buffered to the file.
  void Flush();

  // Bytes. A read that cannot be satisfied in full fails with endOfFile.
  void Read(void* buffer, UINT count);
  void Write(const void* buffer, UINT count);
  // Bytes a loading archive can still deliver.
  [[nodiscard]] std::uint64_t GetBytesLeft() const;
  // Fails with endOfFile unless `count` items of `itemSize` bytes can still follow.
  void CheckAvailable(std::uint64_t count, std::uint64_t itemSize = 1) const;

  CArchive& operator<<(BYTE v) { return WriteValue(v); }
  CArchive& operator<<(char v) { return WriteValue(v); }
  CArchive& operator<<(WORD v) { return WriteValue(v); }
  CArchive& operator<<(SHORT v) { return WriteValue(v); }
  CArchive& operator<<(DWORD v) { return WriteValue(v); }
  CArchive& operator<<(LONG v) { return WriteValue(v); }
  CArchive& operator<<(float v) { return WriteValue(v); }
  CArchive& operator<<(double v) { return WriteValue(v); }
  CArchive& operator>>(BYTE& v) { return ReadValue(v); }
  CArchive& operator>>(char& v) { return ReadValue(v); }
  CArchive& operator>>(WORD& v) { return ReadValue(v); }
  CArchive& operator>>(SHORT& v) { return ReadValue(v); }
  CArchive& operator>>(DWORD& v) { return ReadValue(v); }
  CArchive& operator>>(LONG& v) { return ReadValue(v); }
  CArchive& operator>>(float& v) { return ReadValue(v); }
  CArchive& operator>>(double& v) { return ReadValue(v); }
  // The stored forms have fixed widths: 64-bit integers have none.
  CArchive& operator<<(bool) = delete;
  CArchive& operator>>(bool&) = delete;
  CArchive& operator<<(long) = delete;
  CArchive& operator<<(unsigned long) = delete;
  CArchive& operator>>(long&) = delete;
  CArchive& operator>>(unsigned long&) = delete;

  // A count below 0xFFFF is one WORD; larger ones are WORD 0xFFFF then the DWORD count.
  void WriteCount(DWORD count);
  // Every stored item takes at least one byte, so a count beyond the bytes left is damage.
  [[nodiscard]] DWORD ReadCount();

  // Writes the object reference: the null tag, a back reference, or the class tag followed by
  // the object's Serialize.
  void WriteObject(const CObject* object);
  void WriteClass(const CRuntimeClass* runtimeClass);
  // Reads an object reference written by WriteObject. A new object is made by its class's
  // factory and owned by the caller; when its Serialize fails it is deleted and later references
  // to it fail with badIndex. (Counted objects are read through the program's own reader.)
  [[nodiscard]] CObject* ReadObject(const CRuntimeClass* requested);
  // Reads a class tag; returns nullptr for an object tag and reports it in `objectTag`. A class
  // not derived from `requested` (when given) fails with badClass.
  [[nodiscard]] const CRuntimeClass* ReadClass(const CRuntimeClass* requested = nullptr, UINT* schema = nullptr,
                                               DWORD* objectTag = nullptr);
  // Storing: later references to `object` are back references to the index it takes now.
  // Loading: creates the table of loaded objects; a non-null `object` takes the next index.
  void MapObject(const CObject* object);
  // Storing: whether `object` is written or mapped already (later references are back references).
  [[nodiscard]] BOOL IsMapped(const CObject* object) const { return storeMap_.count(object) != 0; }
  // The object an object tag names: nullptr for the null tag; badIndex for a tag past the
  // table or one that names a class.
  [[nodiscard]] CObject* GetLoadedObject(DWORD objectTag) const;
  // Keeps `object` alive until the load table is dropped, so that a back reference can never
  // reach an object freed during the load; `release` gives the hold back.
  void HoldUntilClosed(CObject* object, void (*release)(CObject*));

  // The program's context for the objects it archives (a document, or an archive map).
  CObject* m_pDocument = nullptr;
  // Schema of the object being loaded, set around its Serialize; (UINT)-1 otherwise.
  UINT m_nObjectSchema = static_cast<UINT>(-1);
  CString m_strFileName;

 private:
  struct LoadEntry {
    CObject* object;
    const CRuntimeClass* runtimeClass;  // set for a class entry
    UINT schema;
    bool discarded;  // an object whose load failed
  };
  struct Hold {
    CObject* object;
    void (*release)(CObject*);
  };

  template <class T>
  CArchive& WriteValue(T v) {
    Write(&v, sizeof v);
    return *this;
  }
  template <class T>
  CArchive& ReadValue(T& v) {
    Read(&v, sizeof v);
    return *this;
  }
  void RequireLoading() const;
  void RequireStoring() const;
  [[noreturn]] void Fail(int cause) const;
  bool FillBuffer();
  DWORD NextIndex();
  void WriteTag(DWORD index, bool isClass);
  const CRuntimeClass* LoadClassRecord(UINT* schema);
  void DropTables();

  CFile* file_;
  UINT mode_;
  bool closed_ = false;
  int exceptionsAtStart_;
  std::vector<BYTE> buffer_;
  std::size_t bufferUsed_ = 0;  // storing: bytes waiting; loading: end of the bytes read
  std::size_t bufferRead_ = 0;  // loading: next byte to deliver
  DWORD mapCount_ = 1;
  std::unordered_map<const void*, DWORD> storeMap_;
  std::vector<LoadEntry> loadTable_;
  std::vector<Hold> holds_;
};

// A string is its length (BYTE below 255; else BYTE 0xFF and WORD below 0xFFFE; else BYTE 0xFF,
// WORD 0xFFFF and DWORD) followed by its bytes, without a terminator.
CArchive& operator<<(CArchive& ar, const CString& s);
CArchive& operator>>(CArchive& ar, CString& s);
