#include "dialogs/XFileDialog.h"

#include "core/FatalReport.h"

namespace {

// "name|*.ext|" for each template with both a filter name and an extension, closed by "|".
XString FilterOf(CDocTemplate* const* templates, int count) {
  XString filter;
  for (int i = 0; i < count; ++i) {
    CString name, ext;
    templates[i]->GetDocString(name, CDocTemplate::filterName);
    templates[i]->GetDocString(ext, CDocTemplate::filterExt);
    if (name.IsEmpty() || ext.IsEmpty()) continue;
    filter += name;
    filter += "|*";
    filter += ext;
    filter += "|";
  }
  filter += "|";
  return filter;
}

XString ExtensionOf(CDocTemplate* const* templates, int count, int index) {
  CString ext;
  if (index >= 0 && index < count) templates[index]->GetDocString(ext, CDocTemplate::filterExt);
  return XString(ext);
}

}  // namespace

XFileDialog::XFileDialog(BOOL openFileDialog, CDocTemplate* const* templatesIn, int numDocTypes,
                         int defDocTypeIndex, const char* title, const char* initialDirIn, const char* fileName,
                         DWORD flags, CWnd*)
    : CFileDialog(openFileDialog, fileName, openFileDialog ? flags | OFN_FILEMUSTEXIST : flags,
                  FilterOf(templatesIn, numDocTypes)),
      templates(templatesIn) {
  XASSERT(defDocTypeIndex < numDocTypes, "");
  const XString ext = ExtensionOf(templates, numDocTypes, defDocTypeIndex);
  if (!ext.IsEmpty()) {
    defExt = ext.Mid(1);
    m_ofn.lpstrDefExt = defExt;
  }
  m_ofn.nFilterIndex = static_cast<DWORD>(defDocTypeIndex + 1);
  m_ofn.lpstrTitle = title;
  if (initialDirIn && *initialDirIn) {
    initialDir = initialDirIn;
    m_ofn.lpstrInitialDir = initialDir;
  }
}

void XFileDialog::OnTypeChange() {
  CString ext;
  templates[m_ofn.nFilterIndex - 1]->GetDocString(ext, CDocTemplate::filterExt);
  if (ext.IsEmpty()) {
    SetDefExt(nullptr);
    return;
  }
  defExt = ext;
  XASSERT(defExt[0] == '.', "");
  SetDefExt(static_cast<const char*>(defExt) + 1);
}
