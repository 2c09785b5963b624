// The scene file: a header, the edit history, the scene tree, the selection, the lights, the
// rotate-about cylinder's group and the document's windows. The auxiliary objects (cylinder and
// ground) are never in the written tree; they are shown again from the rules after reading and
// after writing, also when writing fails. Asking for a file name never starts in the program's
// own folder.
#include <cctype>
#include <cmath>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/FatalReport.h"
#include "core/XMessageBox.h"
#include "core/XString.h"
#include "document/XDocument.h"
#include "platform/win/CurrentDirectory.h"
#include "scene/SceneServices.h"

namespace {

constexpr const char* kSceneFileHeader = "Tavrolin scene file";
constexpr UINT kNotASceneMessage = 40049;

// Shows the auxiliary objects again when the write is done, however it ends.
class AuxiliaryRestore {
 public:
  explicit AuxiliaryRestore(XDocument& doc, bool (XDocument::*wantsCylinder)() const) : doc_(doc), wants_(wantsCylinder) {}
  ~AuxiliaryRestore() {
    if (!doc_.IsRotObjAboutCylShown() && (doc_.*wants_)()) doc_.AddRotObjAboutCyl(FALSE);
    if (!doc_.HasGround() && GetDocumentApp().GetShowGround()) doc_.AddGround(FALSE);
  }
  AuxiliaryRestore(const AuxiliaryRestore&) = delete;
  AuxiliaryRestore& operator=(const AuxiliaryRestore&) = delete;

 private:
  XDocument& doc_;
  bool (XDocument::*wants_)() const;
};

[[noreturn]] void Damaged(CArchive& ar) { AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName); }

// Every camera hangs below the root, so a root without an inverse would leave no camera a view.
bool Invertible(const Transform& t) {
  const auto& m = t.m;
  const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  return std::isfinite(det) && std::fabs(det) >= 1e-6 && std::isfinite(t.t[0]) && std::isfinite(t.t[1]) &&
         std::isfinite(t.t[2]);
}

bool SameTextIgnoringCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  return *a == *b;
}

}  // namespace

BOOL XDocument::DoSave(const char* pathName, BOOL replace) {
  constexpr const char* kReadCheck = "::GetCurrentDirectory( size, (char*)curDir ) == size-1";
  const DWORD size = GetCurrentDirectory(0, nullptr);
  XASSERT_TEXT(size != 0, kReadCheck, "");
  std::vector<char> curDir(size);
  XASSERT_TEXT(GetCurrentDirectory(size, curDir.data()) == size - 1, kReadCheck, "");
  if (SameTextIgnoringCase(curDir.data(), GetSceneApp().GetProgramPath().GetDirectory())) {
    const std::string home = HomeFolder();
    SetCurrentDirectory(home.empty() ? "/" : home.c_str());
  }
  return XUndoDoc::DoSave(pathName, replace);
}

void XDocument::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.MapObject(this);
    ar << CString(kSceneFileHeader);
    XUndoDoc::Serialize(ar);
    XASSERT((GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0, "Schema not versionable");
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema);
    AuxiliaryRestore restore(*this, &XDocument::WantsRotObjAboutCyl);
    if (IsRotObjAboutCylShown()) RemoveRotObjAboutCyl(FALSE);
    if (HasGround()) RemoveGround(FALSE);
    ar << scene;
    selection.Serialize(ar);
    ar << ambient << sunlight << rotObjAboutCyl;
    GetDocumentApp().SerializeWindows(*this, ar);
    return;
  }

  ar.MapObject(this);
  CString header;
  ar >> header;
  if (std::strcmp(header, kSceneFileHeader) != 0) {
    XErrorBox(kNotASceneMessage, ar.m_strFileName);
    AfxThrowUserException();
  }
  XUndoDoc::Serialize(ar);
  ReadSchema(ar, GetRuntimeClass());
  ar >> scene;
  selection.Serialize(ar);
  ar >> ambient >> sunlight >> rotObjAboutCyl;
  // What the program's checks would refuse later fails the open here instead.
  if (!scene || !ambient || !sunlight || !rotObjAboutCyl || scene->GetParent() || sunlight->GetParent() != scene ||
      sunlight->GetLights().GetCount() != 1 || !scene->GetLights().Find(ambient) || rotObjAboutCyl->GetParent() ||
      rotObjAboutCyl == scene || !Invertible(scene->GetTransform()))
    Damaged(ar);
  std::unordered_set<const GroupSO*> selected;
  for (POSITION pos = selection.GetHeadPosition(); pos;) {
    const Ptr<GroupSO>& group = selection.GetNext(pos);
    if (!IsObjectGroup(group) || !selected.insert(group).second) Damaged(ar);
  }
  if (WantsRotObjAboutCyl()) AddRotObjAboutCyl(FALSE);
  if (GetDocumentApp().GetShowGround()) AddGround(FALSE);
  GetDocumentApp().SerializeWindows(*this, ar);
}
