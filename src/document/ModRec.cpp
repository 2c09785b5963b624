#include "document/ModRec.h"

#include <ctime>

#include "document/UndoKind.h"

IMPLEMENT_SERIAL(ModRec, RefCount, VERSIONABLE_SCHEMA)

namespace {

XString CurrentLocalTime() {
  std::time_t now = std::time(nullptr);
  char text[128] = "";
  if (const std::tm* local = std::localtime(&now)) std::strftime(text, sizeof text, "%c", local);
  return text;
}

}  // namespace

ModRec::ModRec() : description("Invalid default instance") {}

ModRec::ModRec(int kind, Ptr<RefCount> data, UINT descId, BOOL flag, const CString& descArg)
    : kind(kind), data(data), flag(flag), descId(descId), descArg(descArg), comment(CurrentLocalTime()) {
  ComposeDescription();
}

ModRec::ModRec(const ModRec& rec, const UndoDataHolder& inverse)
    : RefCount(),
      kind(inverse.GetKind()),
      data(inverse.GetData()),
      flag(rec.flag),
      description(rec.description),
      descId(rec.descId),
      descArg(rec.descArg),
      comment(rec.comment) {}

void ModRec::ComposeDescription() { description = XString(XString(descId), descArg); }

void ModRec::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema) << static_cast<LONG>(kind);
    ar << data;
    ar << static_cast<BYTE>(flag) << static_cast<DWORD>(descId) << descArg << comment;
    return;
  }
  ReadSchema(ar, GetRuntimeClass());
  LONG storedKind;
  ar >> storedKind;
  if (!IsUndoKind(storedKind)) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  kind = storedKind;
  Ptr<RefCount> stored = ReadPtr(ar, RUNTIME_CLASS(RefCount));
  // A record as its own undo data (or another's) would hold itself alive for ever.
  if (stored && stored->IsKindOf(RUNTIME_CLASS(ModRec)))
    AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
  data = stored;
  BYTE storedFlag;
  DWORD storedId;
  ar >> storedFlag >> storedId >> descArg;
  flag = storedFlag;
  descId = storedId;
  CString text;
  if (!text.LoadString(descId)) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  ComposeDescription();
  ar >> comment;
}
