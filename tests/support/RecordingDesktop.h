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

  // Whether the help page of `topic` was opened.
  bool Opened(UINT topic) const { return OpenedPage(std::to_string(topic) + ".html"); }
  bool OpenedPage(const std::string& page) const {
    for (const std::string& url : urls)
      if (url.ends_with("/" + page)) return true;
    return false;
  }

  std::vector<std::string> urls;

 private:
  DesktopOpener previous_;
};
