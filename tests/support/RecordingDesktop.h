// Test support: stands in for the desktop's URL opener, records every address it is handed and
// answers whether the desktop took it.
#pragma once

#include <string>
#include <vector>

#include "platform/framework/Help.h"

class RecordingDesktop {
 public:
  explicit RecordingDesktop(bool opens = true)
      : previous_(SetDesktopOpener([this, opens](const std::string& url) {
          urls.push_back(url);
          return opens;
        })) {}
  ~RecordingDesktop() { SetDesktopOpener(previous_); }
  RecordingDesktop(const RecordingDesktop&) = delete;
  RecordingDesktop& operator=(const RecordingDesktop&) = delete;

  std::vector<std::string> urls;

 private:
  DesktopOpener previous_;
};
