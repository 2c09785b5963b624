// Test support: a file-dialog backend that records every dialog and answers from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/framework/FileDialog.h"

class ScriptedFileDialogs final : public FileDialogBackend {
 public:
  ScriptedFileDialogs() : previous_(SetFileDialogBackend(this)) {}
  ~ScriptedFileDialogs() override { SetFileDialogBackend(previous_); }

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
    if (answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<FileDialogRequest> requests;

 private:
  FileDialogBackend* previous_;
  std::deque<std::optional<std::string>> answers_;
  std::deque<int> filters_;
};
