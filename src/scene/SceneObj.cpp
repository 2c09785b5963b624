#include "scene/SceneObj.h"

IMPLEMENT_SERIAL(SceneObj, Myself, VERSIONABLE_SCHEMA | 0)

SceneObj::SceneObj() : file(NotFromFile()) {}

SceneObj::SceneObj(const char* path) : file(path), name(file.GetFileTitle()) {}

const char* SceneObj::NotFromFile() { return "~!@#$%^&*()NotFromFile"; }

void SceneObj::SetName(const CString& newName) { name = newName; }

const CString& SceneObj::GetName() const { return name; }

void SceneObj::SerializeSchema(CArchive& ar) {
  if (ar.IsStoring()) {
    XASSERT((GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0, "Schema not versionable");
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema);
  } else {
    ReadSchema(ar, GetRuntimeClass());
  }
}

void SceneObj::RequireNotFromFile(CArchive& ar) const {
  if (ar.IsStoring()) {
    XASSERT(GetFile() == SceneObj().GetFile(), "Cannot load from non-archive file");
  } else if (IsFromFile()) {
    AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
  }
}

void SceneObj::Serialize(CArchive& ar) {
  Myself::Serialize(ar);
  XASSERT(error == none, "Serializing an invalid object");
  SerializeSchema(ar);
  if (ar.IsStoring()) {
    ar << file << name;
  } else {
    CString readFile;
    ar >> readFile >> name;
    file = readFile;
  }
}
