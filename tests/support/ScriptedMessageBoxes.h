// Test support: a message-box backend that records every box and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/win/MessageBox.h"

class ScriptedMessageBoxes final : public MessageBoxBackend {
 public:
  struct Box {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
  };

  ScriptedMessageBoxes() : previous_(SetMessageBoxBackend(this)) {}
  ~ScriptedMessageBoxes() override { SetMessageBoxBackend(previous_); }
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  // Answers for the next boxes, in order; when the script runs out a box gets its default button.
  void Answer(std::initializer_list<int> answers) { answers_.insert(answers_.end(), answers); }

  int Show(HWND owner, const char* text, const char* caption, UINT style) override {
    boxes.push_back({owner, text ? text : "", caption ? caption : "", style});
    if (answers_.empty()) return DefaultButtonResult(style);
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  void Beep(UINT type) override { beeps.push_back(type); }

  std::vector<Box> boxes;
  std::vector<UINT> beeps;

 private:
  MessageBoxBackend* previous_;
  std::deque<int> answers_;
};
