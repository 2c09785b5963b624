// Test support: a file-dialog backend that records every dialog and answers from a script. A
// chosen file makes its folder the current one, so the current folder the test started in comes
// back when the backend goes.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/framework/FileDialog.h"
#include "platform/win/CurrentDirectory.h"

class ScriptedFileDialogs final : public FileDialogBackend {
 public:
  ScriptedFileDialogs() : previous_(SetFileDialogBackend(this)), startFolder_(CurrentFolder()) {}
  ~ScriptedFileDialogs() override {
    SetFileDialogBackend(previous_);
    SetCurrentDirectory(startFolder_.c_str());
  }

  // The paths chosen in the next dialogs, in order; nothing is a cancel, and so is every dialog
  // after the script runs out.
  void Answer(std::initializer_list<std::optional<std::string>> answers) {
    answers_.insert(answers_.end(), answers);
  }

  // The filters the user picks in the next dialogs (from 0), each telling the program first.
  void PickFilters(std::initializer_list<int> filters) { filters_.insert(filters_.end(), filters); }

  std::optional<std::string> Run(FileDialogRequest& request) override {
    if (!filters_.empty()) {
      request.filterIndex = filters_.front();
      filters_.pop_front();
      if (request.typeChanged) request.defaultExtension = request.typeChanged(request.filterIndex);
    }
    requests.push_back(request);
    startFolders.push_back(request.initialFolder.empty() ? CurrentFolder() : request.initialFolder);
    if (answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<FileDialogRequest> requests;
  // The folder each dialog showed first: the one asked for, else the current one.
  std::vector<std::string> startFolders;

  static std::string CurrentFolder() {
    std::string folder(GetCurrentDirectory(0, nullptr), '\0');
    folder.resize(GetCurrentDirectory(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
  }

 private:
  FileDialogBackend* previous_;
  std::deque<std::optional<std::string>> answers_;
  std::deque<int> filters_;
  std::string startFolder_;
};
