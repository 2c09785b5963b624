#include "core/MissingFile.h"

#include "core/XMessageBox.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/FileDialog.h"
#include "platform/win/MessageBox.h"

namespace {

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

}  // namespace

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
