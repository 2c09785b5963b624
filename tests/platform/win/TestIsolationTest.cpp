// The test programs themselves: a test starts as the first one does, whatever the tests before it
// left. The check starts a copy of this program that has two more tests, run one after the other
// in one process as a developer runs a whole program: the first leaves behind what tests and the
// code they drive are known to leave, the second looks for it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "platform/win/FileProfileStore.h"
#include "platform/win/ProgramFiles.h"
#include "support/TemporaryFolder.h"

namespace {

// Names the folder the copy starts in.
constexpr char kCopy[] = "TAVROLIN_ISOLATION_COPY";

void LeaveStateBehind() {
  {
    TemporaryFolder chosen;  // a file dialog makes the chosen file's folder the current one
    std::filesystem::current_path(chosen.Path());
  }
  ASSERT_TRUE(CurrentProfileStore().WriteProfileString("Camera", "Focal", "0.06"));
  OpenUserProfile("Ulmric", "Tavrolin");  // as the program's start does, for good
  ASSERT_TRUE(CurrentProfileStore().WriteProfileString("Camera", "Focal", "0.06"));
  std::ofstream(std::string(std::getenv("HOME")) + "/scene.tvr") << "scene";
}

void FindNothingLeft() {
  std::error_code error;
  EXPECT_EQ(std::filesystem::current_path(error), std::getenv(kCopy)) << error.message();
  EXPECT_NE(dynamic_cast<MemoryProfileStore*>(&CurrentProfileStore()), nullptr);
  EXPECT_EQ(CurrentProfileStore().GetProfileString("Camera", "Focal", "none"), "none");
  for (const auto& entry : std::filesystem::directory_iterator(std::getenv("HOME")))
    EXPECT_TRUE(entry.is_directory() && std::filesystem::is_empty(entry.path())) << entry.path();
}

class Step : public ::testing::Test {
 public:
  explicit Step(void (*body)()) : body_(body) {}
  void TestBody() override { body_(); }

 private:
  void (*body_)();
};

bool RegisterSteps() {
  for (const auto& [name, body] : {std::pair{"LeavesStateBehind", &LeaveStateBehind}, {"FindsNothingLeft", &FindNothingLeft}})
    ::testing::RegisterTest("IsolationCopy", name, nullptr, nullptr, __FILE__, __LINE__,
                            [body = body]() -> ::testing::Test* { return new Step(body); });
  return true;
}

// Only the copy that the test below starts has the steps.
[[maybe_unused]] const bool kSteps = std::getenv(kCopy) && RegisterSteps();

TEST(TestIsolation, WhatATestLeavesBehindIsGoneForTheNextOne) {
  const std::string command = std::string(kCopy) + "='" + std::filesystem::current_path().string() + "' '" +
                              ProgramPath() + "' --gtest_filter='IsolationCopy.*' 2>&1";
  FILE* copy = ::popen(command.c_str(), "r");
  ASSERT_NE(copy, nullptr);
  std::string output;
  char buffer[4096];
  while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, copy)) output.append(buffer, read);
  EXPECT_EQ(::pclose(copy), 0) << output;
  EXPECT_NE(output.find("[  PASSED  ] 2 tests."), std::string::npos) << output;
}

}  // namespace
