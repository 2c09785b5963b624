#include "document/UndoData.h"

#include <cstdlib>

#include "platform/framework/MemFile.h"

namespace {

constexpr UINT kMapBuckets = 17;
constexpr int kMapBlockSize = 10;
constexpr UINT kImageGrowBytes = 1024;
constexpr int kImageBufferSize = 4096;

std::unique_ptr<ArchiveMap> NewArchiveMap() {
  auto map = std::make_unique<ArchiveMap>(kMapBlockSize);
  map->InitHashTable(kMapBuckets, true);
  return map;
}

}  // namespace

void WriteUndoSchema(CArchive& ar, const CObject& data) {
  const UINT schema = data.GetRuntimeClass()->m_wSchema;
  XASSERT_TEXT((schema & VERSIONABLE_SCHEMA) != 0, "(GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0",
               "Schema not versionable");
  ar << static_cast<DWORD>(schema);
}

void ReadUndoSchema(CArchive& ar, const CObject& data) { ReadSchema(ar, data.GetRuntimeClass()); }

void SerializeByteFlag(CArchive& ar, BOOL& flag) {
  if (ar.IsStoring()) {
    ar << static_cast<BYTE>(flag);
    return;
  }
  BYTE stored;
  ar >> stored;
  flag = stored;
}

void SerializeHandles(CArchive& ar, HandleList& handles) { handles.Serialize(ar); }

void SerializeHandle(CArchive& ar, Ptr<PtrMyself>& handle) {
  if (ar.IsStoring())
    ar << handle;
  else
    ar >> handle;
}

Ptr<PtrMyself> HandleOf(Myself& object) { return object.GetMyself(); }

void RefuseRecord() { AfxThrowArchiveException(CArchiveException::generic); }

void UndoImage::Store(CObject* document, const std::function<void(CArchive&)>& write) {
  map = NewArchiveMap();
  CMemFile file(kImageGrowBytes);
  CArchive ar(&file, CArchive::store, kImageBufferSize);
  ar.m_pDocument = map.get();
  if (document) ar.MapObject(document);
  write(ar);
  ar.Close();
  const auto length = static_cast<std::size_t>(file.GetLength());
  BYTE* block = file.Detach();
  bytes.assign(block, block + length);
  std::free(block);
}

void UndoImage::Load(CObject* document, const std::function<void(CArchive&)>& read) const {
  XASSERT(map, "archiveMap");
  CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load, kImageBufferSize);
  ar.m_pDocument = map.get();
  if (document) ar.MapObject(document);
  read(ar);
  ar.Close();
}

void UndoImage::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    XASSERT(map, "archiveMap");
    map->Serialize(ar);
    ar << static_cast<DWORD>(bytes.size());
    if (!bytes.empty()) ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    return;
  }
  XASSERT(!map, "!archiveMap");
  XASSERT(bytes.empty(), "!archive");
  auto read = NewArchiveMap();
  read->Serialize(ar);
  DWORD length;
  ar >> length;
  ar.CheckAvailable(length);
  bytes.resize(length);
  if (length) ar.Read(bytes.data(), length);
  map = std::move(read);
}
