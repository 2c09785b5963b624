#include "platform/framework/FileDialog.h"

#include <cstdio>

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
                            m_ofn.Flags};
  std::optional<std::string> chosen = currentBackend->Run(request);
  if (!chosen) return IDCANCEL;
  pathName_ = chosen->c_str();
  return IDOK;
}
