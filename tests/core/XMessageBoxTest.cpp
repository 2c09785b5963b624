#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/FatalError.h"
#include "core/XMessageBox.h"
#include "platform/win/StringResources.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

constexpr UINT kQuestion = 40050;  // "Are you sure you want to cancel the current operation?"
constexpr UINT kBase = MB_TASKMODAL | MB_SETFOREGROUND;

TEST(XMessageBox, StyleAndCaptionFollowTheFamilyAndTheButtonsAndMissingDefaultsAreFatal) {
  ScriptedMessageBoxes boxes;
  EXPECT_FATAL(XInfoBox(kQuestion, CMMButtons::OK, CMMDefault::BUTTON2),
               "!(buttons == CMMButtons::OK && def != CMMDefault::BUTTON1)", "Default button doesn't exist");
  EXPECT_FATAL(XInfoBox(kQuestion, CMMButtons::YESNO, CMMDefault::BUTTON3),
               "!(buttons == CMMButtons::YESNO && def == CMMDefault::BUTTON3)", "Default button doesn't exist");
  EXPECT_FATAL(XInfoBox(""), "message != XString()", "Empty message");
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
  XInfoBox(kQuestion, CMMButtons::ABORTRETRYIGNORE, CMMDefault::BUTTON3);
  EXPECT_EQ(boxes.boxes.size(), 4u);
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
  void RegisterStatusCallback(HWND, XStatusCallback, void*) override {}
  void UnregisterStatusCallback(HWND) override {}
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

FatalReport Capture(void (*fail)()) {
  try {
    fail();
  } catch (const FatalCheckFailed& failure) {
    return failure.report;
  }
  ADD_FAILURE() << "no fatal report";
  return {};
}

TEST(FatalError, ReportsShowTheLinesInOrderAndTheLowWordOfAResultAndGuardedCallsRunOnce) {
  FatalReport r = Capture([] {
    XAssertFailed("Pointers.cpp", 1093, "Mar 16 1998", "15:54:59", "message != XString()", "Empty message");
  });
  EXPECT_EQ(r.messageId, 40042u);
  EXPECT_EQ(r.text,
            "Unexpected error.  Please write down the following info and relay it to Product Support, along with a "
            "description of the events leading up to this error.  Sorry, this program must be aborted and you will "
            "lose all unsaved data.\n\nLINE:  1093\nFILE:  Pointers.cpp\nVERSION:  Mar 16 1998 15:54:59\n"
            "EXPRESSION:  message != XString()\nDESCRIPTION:  Empty message");

  const struct {
    void (*fail)();
    UINT messageId;
    const char* codeLine;
  } calls[] = {
      {[] { XAssertD3DRMFailed("a", 1, "d", "t", "call()", ResultFromBits(0x88760311u)); }, 40044, "\nD3DRM_CODE:  785"},
      {[] { XAssertDDFailed("a", 1, "d", "t", "call()", E_OUTOFMEMORY); }, 40043, "\nDD_CODE:  14"},
      {[] { XAssertD3DFailed("a", 1, "d", "t", "call()", E_FAIL); }, 40058, "\nD3D_CODE:  16389"},
  };
  for (const auto& c : calls) {
    r = Capture(c.fail);
    EXPECT_EQ(r.messageId, c.messageId);
    EXPECT_NE(r.text.find(c.codeLine), std::string::npos) << c.codeLine;
  }

  // Every other test that expects a fatal check shows that the forms pass their source text.
  int made = 0;
  auto okCall = [&] { return ++made, S_OK; };
  EXPECT_EQ(XCHECK_DD(okCall()), S_OK);
  EXPECT_EQ(made, 1) << "a guarded call is made once";
}

// The reserve can be refused a number of times; the handler's pauses are counted, not waited.
int refusals = 0, pauses = 0, objectClipboardEmptied = 0;

class NoMemoryHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    refusals = pauses = objectClipboardEmptied = 0;
    SetReserveAllocator([](std::size_t size) { return refusals > 0 && refusals-- > 0 ? nullptr : std::malloc(size); });
    SetShortagePause([] { ++pauses; });
    SetObjectClipboardEmptier([] {
      ++objectClipboardEmptied;
      // An allocation failing inside the handler's own work changes nothing.
      EXPECT_EQ(NoMemoryHandler(64), 1);
      EXPECT_FALSE(NoMemoryReserveHeld());
    });
    NoMemoryHandler(0);
  }
  void TearDown() override {
    if (NoMemoryReserveHeld()) NoMemoryHandler(0);
    SetObjectClipboardEmptier(nullptr);
    SetShortagePause(nullptr);
    SetReserveAllocator(nullptr);
  }

  ScriptedProcesses processes;
  FakeClipboard clipboard;
  ScriptedMessageBoxes boxes;
};

TEST_F(NoMemoryHandlerTest, AShortageFreesWhatItCanStartsTheHelperOnceAndTakesTheReserveBack) {
  EXPECT_EQ(NoMemoryHandler(1), 1);
  EXPECT_EQ(objectClipboardEmptied, 1);
  EXPECT_EQ(clipboard.empties, 1);
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].commandLine, "NoMemoryDialog.exe");
  EXPECT_TRUE(NoMemoryReserveHeld());

  // While the helper runs no second one starts; a clipboard another program holds is left alone.
  clipboard.heldByOtherProgram = true;
  int shortages = 2;
  auto call = [&] { return shortages-- > 0 ? kD3DRMShortage : S_OK; };
  EXPECT_EQ(XCHECK_D3DRM(call()), S_OK);
  EXPECT_EQ(objectClipboardEmptied, 3);
  EXPECT_EQ(clipboard.empties, 1);
  EXPECT_EQ(processes.started.size(), 1u);
  processes.started[0].running = false;
  NoMemoryHandler(1);
  EXPECT_EQ(processes.started.size(), 2u);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(NoMemoryHandlerTest, AHelperThatCannotStartIsReportedOnceWhileTheReserveIsRetried) {
  processes.failures = 1000;
  refusals = 3;
  NoMemoryHandler(1);
  EXPECT_TRUE(NoMemoryReserveHeld());
  EXPECT_EQ(pauses, 3);
  EXPECT_EQ(processes.attempts.size(), 4u);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, FindStringResource(40260));
  EXPECT_EQ(boxes.boxes[0].style, MB_ICONHAND | MB_SYSTEMMODAL);
}

TEST_F(NoMemoryHandlerTest, ZeroTogglesTheReserveWithoutWhichAShortageIsFatal) {
  EXPECT_EQ(NoMemoryHandler(0), 1);
  EXPECT_FALSE(NoMemoryReserveHeld());
  EXPECT_FATAL(NoMemoryHandler(1), "size == 0",
               "Insufficient memory condition not handled because handler was not initialized");
  NoMemoryHandler(0);
  EXPECT_TRUE(NoMemoryReserveHeld());
  NoMemoryHandler(0);
  refusals = 1;
  EXPECT_EXIT((SetMessageBoxBackend(nullptr), NoMemoryHandler(0)), ::testing::ExitedWithCode(3),
              "No memory to start Tavrolin");
  EXPECT_TRUE(processes.attempts.empty());
}

}  // namespace
