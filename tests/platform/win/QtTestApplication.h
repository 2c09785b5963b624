// A QApplication for one test (the test runner selects Qt's offscreen platform).
#pragma once

#include <QApplication>

class QtTestApplication {
 public:
  QtTestApplication() : app_(argc_, argv_) {}
  // A window the test closed from inside an event is deleted later: with this application, not
  // in whichever test's event loop comes next (or never, when none does).
  ~QtTestApplication() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  QtTestApplication(const QtTestApplication&) = delete;
  QtTestApplication& operator=(const QtTestApplication&) = delete;

 private:
  int argc_ = 1;
  char name_[6] = "tests";
  char* argv_[2] = {name_, nullptr};
  QApplication app_;
};
