#include "platform/framework/Archive.h"

#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "archives store numbers in the machine's byte order");

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;
// Longer class names are not ours.
constexpr WORD kMaxClassNameLength = 64;

}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_strFileName(file ? file->GetFilePath() : CString()),
      file_(file),
      mode_(mode & load),
      exceptionsAtStart_(std::uncaught_exceptions()),
      buffer_(bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 4096) {}

CArchive::~CArchive() noexcept(false) {
  if (closed_) return;
  if (IsStoring() && std::uncaught_exceptions() == exceptionsAtStart_)
    Close();
  else
    Abort();
}

void CArchive::Fail(int cause) const { AfxThrowArchiveException(cause, m_strFileName); }

void CArchive::RequireLoading() const {
  if (closed_) Fail(CArchiveException::generic);
  if (!IsLoading()) Fail(CArchiveException::writeOnly);
}

void CArchive::RequireStoring() const {
  if (closed_) Fail(CArchiveException::generic);
  if (!IsStoring()) Fail(CArchiveException::readOnly);
}

void CArchive::Close() {
  if (closed_) return;
  if (IsStoring()) Flush();
  DropTables();
  closed_ = true;
}

void CArchive::Abort() {
  DropTables();
  bufferUsed_ = bufferRead_ = 0;
  closed_ = true;
}

void CArchive::DropTables() {
  storeMap_.clear();
  loadTable_.clear();
  std::vector<Hold> holds;
  holds.swap(holds_);
  for (auto it = holds.rbegin(); it != holds.rend(); ++it) it->release(it->object);
}

void CArchive::Flush() {
  if (closed_ || !IsStoring() || bufferUsed_ == 0) return;
  std::size_t n = bufferUsed_;
  bufferUsed_ = 0;
  file_->Write(buffer_.data(), static_cast<UINT>(n));
}

void CArchive::Write(const void* data, UINT count) {
  RequireStoring();
  const auto* bytes = static_cast<const BYTE*>(data);
  if (count > buffer_.size() - bufferUsed_) {
    Flush();
    if (count >= buffer_.size()) {
      file_->Write(bytes, count);
      return;
    }
  }
  std::memcpy(buffer_.data() + bufferUsed_, bytes, count);
  bufferUsed_ += count;
}

bool CArchive::FillBuffer() {
  bufferRead_ = 0;
  bufferUsed_ = file_->Read(buffer_.data(), static_cast<UINT>(buffer_.size()));
  return bufferUsed_ > 0;
}

void CArchive::Read(void* data, UINT count) {
  RequireLoading();
  auto* bytes = static_cast<BYTE*>(data);
  while (count > 0) {
    if (bufferRead_ == bufferUsed_ && !FillBuffer()) Fail(CArchiveException::endOfFile);
    std::size_t n = std::min<std::size_t>(count, bufferUsed_ - bufferRead_);
    std::memcpy(bytes, buffer_.data() + bufferRead_, n);
    bufferRead_ += n;
    bytes += n;
    count -= static_cast<UINT>(n);
  }
}

std::uint64_t CArchive::GetBytesLeft() const {
  RequireLoading();
  std::uint64_t length = file_->GetLength();
  std::uint64_t position = file_->GetPosition();
  return (bufferUsed_ - bufferRead_) + (length > position ? length - position : 0);
}

void CArchive::CheckAvailable(std::uint64_t count, std::uint64_t itemSize) const {
  if (itemSize != 0 && count > GetBytesLeft() / itemSize) Fail(CArchiveException::endOfFile);
}

void CArchive::WriteCount(DWORD count) {
  if (count < 0xFFFF) {
    *this << static_cast<WORD>(count);
  } else {
    *this << static_cast<WORD>(0xFFFF) << count;
  }
}

DWORD CArchive::ReadCount() {
  WORD small;
  *this >> small;
  DWORD count = small;
  if (small == 0xFFFF) *this >> count;
  CheckAvailable(count);
  return count;
}

CArchive& operator<<(CArchive& ar, const CString& s) {
  DWORD length = static_cast<DWORD>(s.GetLength());
  if (length < 0xFF) {
    ar << static_cast<BYTE>(length);
  } else if (length < 0xFFFE) {
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
  } else {
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
  }
  ar.Write(s.str().data(), length);
  return ar;
}

CArchive& operator>>(CArchive& ar, CString& s) {
  BYTE small;
  ar >> small;
  DWORD length = small;
  if (small == 0xFF) {
    WORD medium;
    ar >> medium;
    length = medium;
    if (medium == 0xFFFF) ar >> length;
  }
  ar.CheckAvailable(length);
  std::string text(length, '\0');
  ar.Read(text.data(), length);
  s = CString(std::move(text));
  return ar;
}

DWORD CArchive::NextIndex() {
  if (mapCount_ >= kMaxMapCount) Fail(CArchiveException::badIndex);
  return mapCount_++;
}

void CArchive::WriteTag(DWORD index, bool isClass) {
  if (index < kBigTag) {
    *this << static_cast<WORD>(isClass ? kClassTag | index : index);
  } else {
    *this << kBigTag << (isClass ? kBigClassTag | index : index);
  }
}

void CArchive::MapObject(const CObject* object) {
  if (IsStoring()) {
    RequireStoring();
    if (object) storeMap_[object] = NextIndex();
    return;
  }
  RequireLoading();
  if (loadTable_.empty()) loadTable_.push_back({nullptr, nullptr, 0, false});
  if (object) {
    NextIndex();
    loadTable_.push_back({const_cast<CObject*>(object), nullptr, 0, false});
  }
}

void CArchive::WriteClass(const CRuntimeClass* runtimeClass) {
  RequireStoring();
  if (!runtimeClass->IsSerializable()) Fail(CArchiveException::badClass);
  auto known = storeMap_.find(runtimeClass);
  if (known != storeMap_.end()) {
    WriteTag(known->second, true);
    return;
  }
  const std::size_t nameLength = std::strlen(runtimeClass->m_lpszClassName);
  *this << kNewClassTag << static_cast<WORD>(runtimeClass->m_wSchema & 0xFFFF) << static_cast<WORD>(nameLength);
  Write(runtimeClass->m_lpszClassName, static_cast<UINT>(nameLength));
  storeMap_[runtimeClass] = NextIndex();
}

void CArchive::WriteObject(const CObject* object) {
  RequireStoring();
  if (!object) {
    *this << kNullTag;
    return;
  }
  auto known = storeMap_.find(object);
  if (known != storeMap_.end()) {
    WriteTag(known->second, false);
    return;
  }
  WriteClass(object->GetRuntimeClass());
  storeMap_[object] = NextIndex();
  const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::LoadClassRecord(UINT* schema) {
  WORD storedSchema, nameLength;
  *this >> storedSchema >> nameLength;
  if (nameLength >= kMaxClassNameLength) Fail(CArchiveException::badClass);
  char name[kMaxClassNameLength];
  Read(name, nameLength);
  const CRuntimeClass* runtimeClass = CRuntimeClass::FromName(name, nameLength);
  if (!runtimeClass || !runtimeClass->IsSerializable()) Fail(CArchiveException::badClass);
  if (!(runtimeClass->m_wSchema & VERSIONABLE_SCHEMA) && runtimeClass->m_wSchema != storedSchema)
    Fail(CArchiveException::badSchema);
  *schema = storedSchema;
  return runtimeClass;
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, UINT* schema, DWORD* objectTag) {
  RequireLoading();
  MapObject(nullptr);
  WORD tag;
  *this >> tag;
  DWORD index = 0;
  const CRuntimeClass* runtimeClass;
  UINT storedSchema;
  if (tag == kNewClassTag) {
    runtimeClass = LoadClassRecord(&storedSchema);
    index = NextIndex();
    loadTable_.push_back({nullptr, runtimeClass, storedSchema, false});
  } else {
    DWORD fullTag = tag;
    if (tag == kBigTag)
      *this >> fullTag;
    else if (tag & kClassTag)
      fullTag = kBigClassTag | (tag & ~kClassTag);
    if (!(fullTag & kBigClassTag)) {
      if (!objectTag) Fail(CArchiveException::badIndex);
      *objectTag = fullTag;
      return nullptr;
    }
    index = fullTag & ~kBigClassTag;
    if (index == 0 || index >= loadTable_.size() || !loadTable_[index].runtimeClass)
      Fail(CArchiveException::badIndex);
    runtimeClass = loadTable_[index].runtimeClass;
    storedSchema = loadTable_[index].schema;
  }
  if (requested && !runtimeClass->IsDerivedFrom(requested)) Fail(CArchiveException::badClass);
  if (schema) *schema = storedSchema;
  if (objectTag) *objectTag = index | kBigClassTag;
  return runtimeClass;
}

CObject* CArchive::GetLoadedObject(DWORD objectTag) const {
  if (objectTag >= loadTable_.size() || loadTable_[objectTag].runtimeClass || loadTable_[objectTag].discarded)
    Fail(CArchiveException::badIndex);
  return loadTable_[objectTag].object;
}

void CArchive::HoldUntilClosed(CObject* object, void (*release)(CObject*)) { holds_.push_back({object, release}); }

CObject* CArchive::ReadObject(const CRuntimeClass* requested) {
  UINT schema;
  DWORD objectTag;
  const CRuntimeClass* runtimeClass = ReadClass(requested, &schema, &objectTag);
  if (!runtimeClass) {
    CObject* object = GetLoadedObject(objectTag);
    if (object && requested && !object->IsKindOf(requested)) Fail(CArchiveException::badClass);
    return object;
  }
  CObject* object = runtimeClass->CreateObject();
  if (!object) AfxThrowMemoryException();
  MapObject(object);
  const std::size_t entry = loadTable_.size() - 1;
  UINT outerSchema = m_nObjectSchema;
  m_nObjectSchema = schema;
  try {
    object->Serialize(*this);
  } catch (...) {
    m_nObjectSchema = outerSchema;
    loadTable_[entry] = {nullptr, nullptr, 0, true};
    delete object;
    throw;
  }
  m_nObjectSchema = outerSchema;
  return object;
}
