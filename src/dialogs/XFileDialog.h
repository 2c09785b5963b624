// The program's file dialog for its own file choices: the file types come from document templates
// (their filter names and extensions), and the default extension follows the type the user picks.
#pragma once

#include "core/XString.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/FileDialog.h"

class CWnd;

class XFileDialog : public CFileDialog {
 public:
  // `defDocTypeIndex` (below `numDocTypes`) is the type chosen at first; an open dialog accepts
  // only existing files. `title`, `initialDir` and `fileName` may be null.
  XFileDialog(BOOL openFileDialog, CDocTemplate* const* templates, int numDocTypes, int defDocTypeIndex,
              const char* title, const char* initialDir, const char* fileName, DWORD flags, CWnd* parent);

  void OnTypeChange() override;

 private:
  CDocTemplate* const* templates;
  XString defExt;  // without its dot
  XString initialDir;
};
