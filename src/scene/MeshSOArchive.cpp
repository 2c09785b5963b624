// MeshSO: the archive record: bounds, look, line styles and part looks; the mesh is read again
// from the object's file.
#include "core/FatalError.h"
#include "core/Guards.h"
#include "core/MissingFile.h"
#include "core/XMessageBox.h"
#include "scene/MeshSO.h"

namespace {

// A flag is 0 or 1 in memory, whatever non-zero byte a file holds: the sharing flag is compared
// with TRUE.
void Flag(CArchive& ar, LONG& value) {
  if (ar.IsStoring()) {
    ar << static_cast<BYTE>(value);
  } else {
    BYTE b;
    ar >> b;
    value = b != 0;
  }
}

void Number(CArchive& ar, LONG& value) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(value);
  } else {
    DWORD d;
    ar >> d;
    value = static_cast<LONG>(d);
  }
}

void Numbers(CArchive& ar, Vector& v) {
  if (ar.IsStoring()) {
    ar << v.x << v.y << v.z;
  } else {
    ar >> v.x >> v.y >> v.z;
  }
}

}  // namespace

void MeshSO::Serialize(CArchive& ar) {
  // The factory's empty mesh goes before anything is read: an object whose read fails part way
  // then has no mesh and is in no instance list, whatever sharing flag it read.
  if (ar.IsLoading()) mesh = nullptr;
  VisualSO::Serialize(ar);
  if (ar.IsLoading() && !IsFromFile()) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  XASSERT_TEXT(IsFromFile(), "GetFile() != SceneObj().GetFile()", "Serialization of mesh loaded from archive not supported yet");
  DWORD version = 2;
  if (ar.IsStoring()) {
    XASSERT((GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0, "Schema not versionable");
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema);
  } else {
    version = ReadSchema(ar, GetRuntimeClass()) & ~VERSIONABLE_SCHEMA;
  }
  Flag(ar, reference);
  Numbers(ar, box.min);
  Numbers(ar, box.max);
  if (ar.IsStoring()) {
    ar << sphere.radius;
  } else {
    ar >> sphere.radius;
    sphere.radiusSquared = sphere.radius * sphere.radius;
  }
  // The bounds of a single-precision mesh; others would fail the outline's box test.
  if (ar.IsLoading() && (!box.min.FitsD3DVECTOR() || !box.max.FitsD3DVECTOR()))
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  Numbers(ar, sphere.center);
  Number(ar, quality);
  Number(ar, style);
  Number(ar, brushSize);
  // The Artistic page shows only the styles and brushes it can set.
  if (ar.IsLoading() && !IsValidStyle(style, brushSize))
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  Flag(ar, texturesOn);
  Flag(ar, texturesLoaded);
  Flag(ar, cartoon);
  silhouetteColor.Serialize(ar);
  LONG width = static_cast<LONG>(silhouetteWidth);
  Number(ar, width);
  silhouetteWidth = static_cast<DWORD>(width);
  surfaceColor.Serialize(ar);
  width = static_cast<LONG>(surfaceWidth);
  Number(ar, width);
  surfaceWidth = static_cast<DWORD>(width);
  if (ar.IsLoading() && !AreValidLineWidths(silhouetteWidth, surfaceWidth))
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  if (!ar.IsStoring()) {
    texMats.RemoveAll();
    untexMats.RemoveAll();
  }
  texMats.Serialize(ar);
  untexMats.Serialize(ar);
  if (ar.IsStoring() || version >= 1) {
    Flag(ar, reverse);
  } else {
    reverse = 0;
  }
  if (ar.IsStoring() || version >= 2) {
    Flag(ar, twoSided);
  } else {
    twoSided = 0;
  }
  LONG noMesh = !mesh;
  Flag(ar, noMesh);
  if (ar.IsStoring()) return;
  if (noMesh) {
    // Without a mesh to take them from, the part looks stay as read, and the Artistic page
    // shows them.
    if (!AreMatchingPartLooks(texMats, untexMats))
      AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    return;
  }
  for (;;) {
    Reload();
    if (error == none) return;
    if (error == fileNotFound) {
      // The user is asked until the file is found; giving up abandons the whole load.
      SetFile(XLocateMissingFile(GetFile(), TRUE));
      continue;
    }
    if (error == damagedFile || error == noObjectInFile) {
      XErrorBox(40045, GetFile());
      AfxThrowUserException();
    }
    // The converter's failure has been reported.
    XASSERT(error == converterNotStarted, "");
    AfxThrowUserException();
  }
}
