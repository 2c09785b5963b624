// The framework's file dialog: what the program asks (title, folder, filters, flags) and what the
// user chose. The dialog itself is a replaceable backend: the desktop installs one that shows a
// real dialog (QtFileDialog.h), tests install a scripted one.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/framework/String.h"

// Flags of the open-file record the program sets.
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct FileDialogFilter {
  std::string name;      // as the user sees it, e.g. "All files (*.*)"
  std::string patterns;  // e.g. "*.*" or "*.x;*.3ds"
  bool operator==(const FileDialogFilter&) const = default;
};

struct FileDialogRequest {
  bool open;                  // an open dialog, else a save dialog
  std::string title;          // empty: the dialog's own title
  std::string initialFolder;  // empty: the current folder
  std::string fileName;       // the name offered at first
  std::vector<FileDialogFilter> filters;
  int filterIndex;            // the filter chosen at first, from 0; the backend leaves the last one in it
  DWORD flags;                // OFN_*
  std::string defaultExtension;  // without the dot: added to a name typed without one
  // Told when the user picks another filter (from 0); gives the default extension from then on.
  std::function<std::string(int filterIndex)> typeChanged;
};

class FileDialogBackend {
 public:
  virtual ~FileDialogBackend() = default;
  // The full path of the file chosen, or nothing when the user cancelled; the filter in use at
  // the end is left in request.filterIndex.
  virtual std::optional<std::string> Run(FileDialogRequest& request) = 0;
};

// Installs `backend` (nullptr: none, and every dialog is cancelled at once) and returns the
// previous one. The caller keeps ownership.
FileDialogBackend* SetFileDialogBackend(FileDialogBackend* backend);

// The fields of the open-file record a caller may set before DoModal.
struct OPENFILENAME {
  const char* lpstrTitle = nullptr;
  const char* lpstrInitialDir = nullptr;
  const char* lpstrDefExt = nullptr;  // without the dot
  DWORD Flags = 0;
  DWORD nFilterIndex = 1;  // from 1; after DoModal, the filter the user left chosen
};

class CFileDialog {
 public:
  // `filter` lists name and patterns separated by '|' and ends with "||", e.g.
  // "All files (*.*)|*.*||".
  explicit CFileDialog(BOOL openFileDialog, const char* fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr);
  virtual ~CFileDialog() = default;

  // IDOK (1) when a file was chosen, and then its folder is the current one; IDCANCEL (2)
  // otherwise.
  virtual int DoModal();
  CString GetPathName() const { return pathName_; }
  CString GetFileName() const;  // the name with its extension
  CString GetFileExt() const;   // the extension without the dot; empty when the name has none

  // The user picked another filter (m_ofn.nFilterIndex tells which); SetDefExt may change the
  // extension a typed name gets.
  virtual void OnTypeChange() {}
  void SetDefExt(const char* extension) { defExt_ = extension ? extension : ""; }

  OPENFILENAME m_ofn;

 private:
  bool open_;
  std::string fileName_;
  std::vector<FileDialogFilter> filters_;
  CString pathName_;
  std::string defExt_;
};
