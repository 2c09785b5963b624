#include "core/DeepCopy.h"

#include <cstdlib>

#include "core/FatalError.h"
#include "platform/framework/Archive.h"
#include "platform/framework/MemFile.h"

namespace {

constexpr UINT kGrowBytes = 1024;
constexpr int kBufferSize = 4096;

void Prepare(CArchive& ar, CObject* document, CObject* shared1, CObject* shared2) {
  ar.m_pDocument = document;
  // Scene objects refer to their document (a light does): it is referred to, never copied.
  if (document) ar.MapObject(document);
  if (shared1) ar.MapObject(shared1);
  if (shared2) ar.MapObject(shared2);
}

}  // namespace

DeepCopy::DeepCopy(CObject& source, CObject* document, CObject* shared1, CObject* shared2) {
  CMemFile file(kGrowBytes);
  CArchive ar(&file, CArchive::store, kBufferSize);
  Prepare(ar, document, shared1, shared2);
  source.Serialize(ar);
  ar.Close();
  length = static_cast<DWORD>(file.GetLength());
  memory = file.Detach();
  if (BYTE* shrunk = static_cast<BYTE*>(std::realloc(memory, length ? length : 1))) memory = shrunk;
}

DeepCopy::~DeepCopy() { std::free(memory); }

void DeepCopy::CopyTo(CObject& target, CObject* document, CObject* shared1, CObject* shared2) const {
  XASSERT(memory && length, "");
  CMemFile file(memory, length);
  CArchive ar(&file, CArchive::load, kBufferSize);
  Prepare(ar, document, shared1, shared2);
  target.Serialize(ar);
  ar.Close();
}
