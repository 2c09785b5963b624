// Test support: stands in for the help window and records every page it is asked to show.
#pragma once

#include <vector>

#include "platform/framework/Help.h"

class RecordingHelp {
 public:
  RecordingHelp() : previous_(SetHelpViewer([this](const HelpPage& page) { pages.push_back(page); })) {}
  ~RecordingHelp() { SetHelpViewer(previous_); }
  RecordingHelp(const RecordingHelp&) = delete;
  RecordingHelp& operator=(const RecordingHelp&) = delete;

  // Whether the page of `topic` was shown.
  bool Opened(DWORD topic) const {
    for (const HelpPage& page : pages)
      if (page.topic == topic) return true;
    return false;
  }

  std::vector<HelpPage> pages;

 private:
  HelpViewer previous_;
};
