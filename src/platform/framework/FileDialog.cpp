#include "platform/framework/FileDialog.h"

#include <cstdio>

#include "platform/win/CurrentDirectory.h"
#include "platform/win/MessageBox.h"

namespace {

FileDialogBackend* currentBackend = nullptr;

std::vector<FileDialogFilter> ParseFilter(const char* filter) {
  std::vector<FileDialogFilter> filters;
  if (!filter) return filters;
  std::vector<std::string> parts;
  std::string part;
  for (const char* c = filter; *c; ++c) {
    if (*c != '|') {
      part += *c;
      continue;
    }
    if (part.empty()) break;  // "||" ends the list
    parts.push_back(part);
    part.clear();
  }
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) filters.push_back({parts[i], parts[i + 1]});
  return filters;
}

}  // namespace

FileDialogBackend* SetFileDialogBackend(FileDialogBackend* backend) {
  FileDialogBackend* previous = currentBackend;
  currentBackend = backend;
  return previous;
}

CFileDialog::CFileDialog(BOOL openFileDialog, const char* fileName, DWORD flags, const char* filter)
    : open_(openFileDialog != FALSE), fileName_(fileName ? fileName : ""), filters_(ParseFilter(filter)) {
  m_ofn.Flags = flags;
}

int CFileDialog::DoModal() {
  if (!currentBackend) {
    std::fprintf(stderr, "No file dialog on this desktop: \"%s\" is cancelled\n",
                 m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "");
    return IDCANCEL;
  }
  FileDialogRequest request{open_,
                            m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "",
                            m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : "",
                            fileName_,
                            filters_,
                            m_ofn.nFilterIndex > 0 ? static_cast<int>(m_ofn.nFilterIndex) - 1 : 0,
                            m_ofn.Flags,
                            m_ofn.lpstrDefExt ? m_ofn.lpstrDefExt : "",
                            {}};
  defExt_ = request.defaultExtension;
  request.typeChanged = [this](int filterIndex) {
    m_ofn.nFilterIndex = static_cast<DWORD>(filterIndex + 1);
    OnTypeChange();
    return defExt_;
  };
  std::optional<std::string> chosen = currentBackend->Run(request);
  m_ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex + 1);
  if (!chosen) return IDCANCEL;
  pathName_ = chosen->c_str();
  // The folder the user went to becomes the current one, where the next dialog starts.
  if (const std::size_t slash = chosen->find_last_of('/'); slash != std::string::npos)
    SetCurrentDirectory(slash == 0 ? "/" : chosen->substr(0, slash).c_str());
  return IDOK;
}

CString CFileDialog::GetFileName() const {
  const std::string& path = pathName_.str();
  const std::size_t slash = path.find_last_of('/');
  return CString(slash == std::string::npos ? path : path.substr(slash + 1));
}

CString CFileDialog::GetFileExt() const {
  const std::string name = GetFileName().str();
  const std::size_t dot = name.find_last_of('.');
  return CString(dot == std::string::npos ? std::string() : name.substr(dot + 1));
}
