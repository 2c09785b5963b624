#include "core/Pointers.h"

#include "core/XList.h"
#include "core/XMessageBox.h"

IMPLEMENT_SERIAL(RefCount, CObject, 0)
IMPLEMENT_SERIAL(PtrMyself, RefCount, 0)
IMPLEMENT_SERIAL(Myself, RefCount, VERSIONABLE_SCHEMA)

namespace {

using ArchiveMap = XMap< DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>& >;

constexpr UINT kNewerVersionMessage = 40243;

DWORD NextHandleKey() {
  static DWORD last = 0;
  if (++last == 0) ++last;
  return last;
}

void ReleaseHeld(CObject* object) { dynamic_cast<RefCount*>(object)->Release(); }

}  // namespace

RefCount::~RefCount() {
  XASSERT(crefs == 0 || crefs == (1UL << ((sizeof crefs)*8-1)), "Reference count incorrect");
}

void RefCount::Release() {
  if (crefs == kReleased) return;
  XASSERT(crefs != 0, "Reference count incorrect");
  if (--crefs == 0) {
    crefs = kReleased;
    delete this;
  }
}

PtrMyself::PtrMyself() : key(NextHandleKey()) {}

PtrMyself::PtrMyself(Myself* object) : target(object), key(NextHandleKey()) {}

Myself::Myself() : myself(new PtrMyself(this)) {}

Myself::~Myself() {
  XASSERT(myself && ISKINDOF( myself, PtrMyself ), "");
  myself->SetTarget(PtrMyself::Destroyed());
  myself = nullptr;
}

void Myself::Serialize(CArchive& ar) {
  auto* map = dynamic_cast<ArchiveMap*>(ar.m_pDocument);
  if (ar.IsStoring()) {
    XASSERT((GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0, "Schema not versionable");
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema);
    XASSERT(ar.m_pDocument, "Must be serializing to either a CDocument* or XMap< DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>& >*");
    if (!map) {
      ar << myself;
      return;
    }
    DWORD key = myself->GetKey();
    ar << key;
    XASSERT(((XMap< DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>& >*)(CObject*) ar.m_pDocument)->SetAt( key, myself ), "Already exists.  This serialized twice?");
    return;
  }

  ReadSchema(ar, GetRuntimeClass());
  XASSERT(ar.m_pDocument, "Must be serializing to either a CDocument* or XMap< DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>& >*");
  Ptr<PtrMyself> handle;
  if (!map) {
    ar >> handle;
  } else {
    DWORD key;
    ar >> key;
    // A key the map does not hold comes from a damaged image.
    if (!map->Lookup(key, handle)) AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
  }
  if (!handle) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  // The constructor's handle is released here; every holder of the stored one now reaches us.
  if (handle != myself) myself = handle;
  myself->SetTarget(this);
}

DWORD ReadSchema(CArchive& ar, const CRuntimeClass* runtimeClass) {
  DWORD schema;
  ar >> schema;
  if ((schema & ~VERSIONABLE_SCHEMA) > (runtimeClass->m_wSchema & ~VERSIONABLE_SCHEMA)) {
    XErrorBox(kNewerVersionMessage);
    AfxThrowArchiveException(CArchiveException::badSchema);
  }
  return schema;
}

Ptr<RefCount> ReadPtr(CArchive& ar, const CRuntimeClass* requested) {
  ar.MapObject(nullptr);
  UINT schema;
  DWORD objectTag;
  const CRuntimeClass* runtimeClass = ar.ReadClass(requested, &schema, &objectTag);
  if (!runtimeClass) {
    CObject* object = ar.GetLoadedObject(objectTag);
    if (!object) return Ptr<RefCount>();
    auto* counted = dynamic_cast<RefCount*>(object);
    if (!counted || (requested && !object->IsKindOf(requested)))
      AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    return Ptr<RefCount>(counted);
  }

  CObject* object = runtimeClass->CreateObject();
  if (!object) AfxThrowMemoryException();
  auto* counted = dynamic_cast<RefCount*>(object);
  if (!counted) {
    // A class from outside the counted hierarchy where a counted object belongs: damaged data.
    delete object;
    AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
  }
  Ptr<RefCount> result(counted);
  ar.MapObject(object);
  counted->AddRef();
  ar.HoldUntilClosed(object, &ReleaseHeld);
  UINT outerSchema = ar.m_nObjectSchema;
  ar.m_nObjectSchema = schema;
  try {
    counted->Serialize(ar);
  } catch (...) {
    ar.m_nObjectSchema = outerSchema;
    throw;
  }
  ar.m_nObjectSchema = outerSchema;
  return result;
}
