#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win/StringResources.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

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
