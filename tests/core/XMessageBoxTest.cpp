#include <gtest/gtest.h>

#include <vector>

#include "core/XMessageBox.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

constexpr UINT kQuestion = 40050;  // "Are you sure you want to cancel the current operation?"
constexpr UINT kBase = MB_TASKMODAL | MB_SETFOREGROUND;

TEST(XMessageBox, StyleAndCaptionFollowTheFamilyAndTheButtons) {
  ScriptedMessageBoxes boxes;
  boxes.Answer({IDOK, IDYES, IDNO});
  XInfoBox(kQuestion);
  EXPECT_EQ(XInfoBox(kQuestion, CMMButtons::YESNO), CMMReturn::YES);
  EXPECT_EQ(XErrorBox(kQuestion, CMMButtons::YESNO, CMMDefault::BUTTON2), CMMReturn::NO);

  const std::pair<UINT, const char*> expected[] = {
      {kBase | MB_ICONASTERISK, "Tavrolin"},
      {kBase | MB_ICONQUESTION | MB_YESNO, "Tavrolin"},
      {kBase | MB_ICONHAND | MB_YESNO | MB_DEFBUTTON2, "Tavrolin : Error"},
  };
  ASSERT_EQ(boxes.boxes.size(), std::size(expected));
  for (std::size_t i = 0; i < boxes.boxes.size(); ++i) {
    EXPECT_EQ(boxes.boxes[i].style, expected[i].first) << i;
    EXPECT_EQ(boxes.boxes[i].caption, expected[i].second) << i;
    EXPECT_EQ(boxes.boxes[i].owner, nullptr) << i;
  }
  EXPECT_EQ(boxes.boxes[0].text, "Are you sure you want to cancel the current operation?");
}

TEST(XMessageBox, ADefaultButtonTheSetLacksOrAnEmptyMessageIsFatal) {
  ScriptedMessageBoxes boxes;
  EXPECT_FATAL(XInfoBox(kQuestion, CMMButtons::OK, CMMDefault::BUTTON2),
               "!(buttons == CMMButtons::OK && def != CMMDefault::BUTTON1)", "Default button doesn't exist");
  for (const auto& [buttons, name] : {std::pair{CMMButtons::OKCANCEL, "OKCANCEL"},
                                      {CMMButtons::RETRYCANCEL, "RETRYCANCEL"}, {CMMButtons::YESNO, "YESNO"}})
    EXPECT_FATAL(XInfoBox(kQuestion, buttons, CMMDefault::BUTTON3),
                 "!(buttons == CMMButtons::" + std::string(name) + " && def == CMMDefault::BUTTON3)",
                 "Default button doesn't exist");
  EXPECT_FATAL(XInfoBox(""), "message != XString()", "Empty message");
  XInfoBox(kQuestion, CMMButtons::ABORTRETRYIGNORE, CMMDefault::BUTTON3);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_FATAL(CMMReturn(0),
               "*this == CMMReturn::ABORT || *this == CMMReturn::CANCEL || *this == CMMReturn::IGNORE || *this == "
               "CMMReturn::NO || *this == CMMReturn::OK || *this == CMMReturn::RETRY || *this == CMMReturn::YES",
               "");
}

// A main frame whose status bar refreshes the prompt while a box is up; its first boxes fail.
struct FakeFrame final : XMessageBoxFrame, MessageBoxBackend {
  HWND GetSafeHwnd() override { return reinterpret_cast<HWND>(this); }
  void PushModalStatusCallback(XStatusCallback callback, void* argument) override {
    callbacks.push_back({callback, argument});
  }
  void PopModalStatusCallback(XStatusCallback callback) override {
    EXPECT_EQ(callbacks.back().first, callback);
    callbacks.pop_back();
  }
  void SetStatusText(UINT id, const char* text, COLORREF color) override {
    status.push_back(std::to_string(id) + ":" + text + ":" + std::to_string(color));
  }
  int Show(HWND owner, const char*, const char*, UINT style) override {
    for (auto& [callback, argument] : callbacks) callback(argument);
    shown.push_back({owner, style});
    return failures-- > 0 ? 0 : IDOK;
  }
  std::vector<std::pair<XStatusCallback, void*>> callbacks;
  std::vector<std::string> status;
  std::vector<std::pair<HWND, UINT>> shown;
  int failures = 0;
};

FakeFrame* theFrame = nullptr;

TEST(XMessageBox, ATopicAbove10000BelongsToTheMainFrameAndRetriesStayBalanced) {
  FakeFrame frame;
  theFrame = &frame;
  MessageBoxBackend* previousBackend = SetMessageBoxBackend(&frame);
  XMessageBoxFrameLookup previousLookup = SetMessageBoxFrameLookup([]() -> XMessageBoxFrame* { return theFrame; });
  ScriptedProcesses processes;
  FakeClipboard clipboard;
  NoMemoryHandler(0);
  XMessageBox("", "No help here", CMMButtons::OK, CMMDefault::BUTTON1, 10000);
  frame.failures = 2;
  XMessageBox("", "First line\nTooltip", CMMButtons::OK, CMMDefault::BUTTON1, 10001);
  NoMemoryHandler(0);
  SetMessageBoxFrameLookup(previousLookup);
  SetMessageBoxBackend(previousBackend);

  using Shown = std::pair<HWND, UINT>;
  const UINT withHelp = kBase | MB_ICONASTERISK | MB_HELP;
  EXPECT_EQ(frame.shown, (std::vector<Shown>{{nullptr, kBase | MB_ICONASTERISK}, {frame.GetSafeHwnd(), withHelp},
                                             {frame.GetSafeHwnd(), withHelp}, {frame.GetSafeHwnd(), withHelp}}));
  EXPECT_EQ(frame.status, std::vector<std::string>(3, "10001:First line:0"));
  EXPECT_TRUE(frame.callbacks.empty());
  EXPECT_EQ(processes.started.size(), 1u);  // the helper the first retry started still runs
}

}  // namespace
