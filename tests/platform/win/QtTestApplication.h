// A QApplication for one test (the test runner selects Qt's offscreen platform).
#pragma once

#include <QApplication>

class QtTestApplication {
 public:
  QtTestApplication() : app_(argc_, argv_) {}

 private:
  int argc_ = 1;
  char name_[6] = "tests";
  char* argv_[2] = {name_, nullptr};
  QApplication app_;
};
