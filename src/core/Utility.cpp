#include "core/Utility.h"

#include <unistd.h>

#include <cstdlib>

#include "core/FatalError.h"
#include "core/Transform.h"
#include "core/XMessageBox.h"
#include "platform/framework/FileDialog.h"
#include "platform/win/MessageBox.h"

namespace {

constexpr UINT kPlacementLength = sizeof(WINDOWPLACEMENT);
constexpr UINT kWhereIsTheFile = 70;
constexpr UINT kAllFilesType = 17;
constexpr UINT kCancelOperation = 40050;
constexpr UINT kOperationCancelled = 40051;

// Field `index` of a document type's description: "\n"-separated fields of which the fourth is the
// filter's name and the fifth its extension.
XString DocTypeField(const XString& description, int index) {
  int start = 0;
  for (int i = 0; i < index; ++i) {
    const int lineBreak = description.Find('\n', start);
    if (lineBreak < 0) return XString();
    start = lineBreak + 1;
  }
  const int end = description.Find('\n', start);
  return XString(end < 0 ? description.Mid(start) : description.Mid(start, end - start));
}

// The one filter of the search for a missing file: any file.
XString AllFilesFilter() {
  const XString type(kAllFilesType);
  return XString(DocTypeField(type, 3) + "|*" + DocTypeField(type, 4) + "||");
}

bool IsValidCoordinate(LONG v) { return v >= XPoint::Min() && v <= XPoint::Max(); }

}  // namespace

CArchive& operator<<(CArchive& ar, const WINDOWPLACEMENT& w) {
  const XPoint minPosition(w.ptMinPosition), maxPosition(w.ptMaxPosition);
  const XRect normal(w.rcNormalPosition);
  ar << w.length << w.flags << w.showCmd;
  ar << minPosition.x << minPosition.y << maxPosition.x << maxPosition.y;
  ar << normal.left << normal.top << normal.right << normal.bottom;
  return ar;
}

CArchive& operator>>(CArchive& ar, WINDOWPLACEMENT& w) {
  WINDOWPLACEMENT read{};
  read.length = kPlacementLength;
  UINT d;
  ar >> d;
  if (d != kPlacementLength) AfxThrowArchiveException(CArchiveException::badSchema);
  ar >> read.flags >> read.showCmd;
  ar >> read.ptMinPosition.x >> read.ptMinPosition.y >> read.ptMaxPosition.x >> read.ptMaxPosition.y;
  ar >> read.rcNormalPosition.left >> read.rcNormalPosition.top >> read.rcNormalPosition.right >>
      read.rcNormalPosition.bottom;
  for (LONG v : {read.ptMinPosition.x, read.ptMinPosition.y, read.ptMaxPosition.x, read.ptMaxPosition.y,
                 read.rcNormalPosition.left, read.rcNormalPosition.top, read.rcNormalPosition.right,
                 read.rcNormalPosition.bottom})
    if (!IsValidCoordinate(v)) AfxThrowArchiveException(CArchiveException::badSchema);
  w = read;
  return ar;
}

XString XLocateMissingFile(const char* path, BOOL throwOnCancel) {
  const XString missing(path);
  const XString title(XString(kWhereIsTheFile), missing.GetFileName());
  const XString folder = missing.GetDirectory();
  const XString filter = AllFilesFilter();
  for (;;) {
    CFileDialog dialog(TRUE, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       filter);
    dialog.m_ofn.lpstrTitle = title;
    dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() == IDOK) return XString(dialog.GetPathName());
    if (XInfoBox(kCancelOperation, CMMButtons::YESNO, CMMDefault::BUTTON2) == CMMReturn::YES) break;
  }
  XErrorBox(kOperationCancelled, missing);
  if (throwOnCancel) AfxThrowUserException();
  return missing;
}

XCurrentDirectoryGuard::XCurrentDirectoryGuard(const char* directory) {
  if (char* current = ::getcwd(nullptr, 0)) {
    original = current;
    std::free(current);
  }
  (void)!::chdir(directory);
}

XCurrentDirectoryGuard::~XCurrentDirectoryGuard() {
  if (!original.empty()) (void)!::chdir(original.c_str());
}

BoolGuard::BoolGuard(bool& flag) : guarded(flag) {
  XASSERT_TEXT(!guarded, "!bool", "");
  guarded = true;
}

BoolGuard::~BoolGuard() noexcept(false) {
  XASSERT_TEXT(guarded, "bool", "");
  guarded = false;
}

void XMakeCircleSegments(int num, CArray<Vector, const Vector&>& starts, CArray<Vector, const Vector&>& ends,
                         double radius, double length) {
  XASSERT(starts.GetSize() == 0, "CArray to be filled on return is not empty on input");
  XASSERT(ends.GetSize() == 0, "CArray to be filled on return is not empty on input");
  XASSERT(num > 1, "");
  starts.SetSize(num);
  ends.SetSize(num);
  const Transform step(6.283185307179586 / num, Vector(1, 0, 0));
  Vector p(0, radius, 0);
  for (int i = 0; i < num; ++i) {
    starts[i] = p;
    ends[i] = Vector(p.x + length, p.y, p.z);
    p = step.TransformPoint(p);
  }
}
