// Test support: a colour-dialog backend that records every dialog and answers from a script.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/framework/ColorDialog.h"

class ScriptedColorDialogs final : public ColorDialogBackend {
 public:
  ScriptedColorDialogs() : previous_(SetColorDialogBackend(this)) {}
  ~ScriptedColorDialogs() override { SetColorDialogBackend(previous_); }
  ScriptedColorDialogs(const ScriptedColorDialogs&) = delete;
  ScriptedColorDialogs& operator=(const ScriptedColorDialogs&) = delete;

  // The colours chosen in the next dialogs, in order; nothing is a cancel, and so is every
  // dialog after the script runs out.
  void Answer(std::initializer_list<std::optional<COLORREF>> answers) {
    answers_.insert(answers_.end(), answers);
  }

  std::optional<COLORREF> Run(CHOOSECOLOR& request) override {
    requests.push_back(request);
    if (answers_.empty()) return std::nullopt;
    const std::optional<COLORREF> answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<CHOOSECOLOR> requests;

 private:
  ColorDialogBackend* previous_;
  std::deque<std::optional<COLORREF>> answers_;
};
