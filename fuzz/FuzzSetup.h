// What every fuzz target reading the program's files sets up once: the program's string table
// (messages and names come from it), message boxes that answer at once, and a fatal check that
// aborts, since a fatal check reached from a file is a finding.
#pragma once

#include <cstdlib>

#include "core/FatalReport.h"
#include "platform/win/MessageBox.h"
#include "resources/ProgramResources.h"

class SilentBoxes final : public MessageBoxBackend {
 public:
  // A question whether to give up (a file that cannot be found) is answered yes: asking again
  // would never end.
  int Show(HWND, const char*, const char*, UINT style) override {
    return (style & MB_TYPEMASK) == MB_YESNO ? IDYES : DefaultButtonResult(style);
  }
};

inline void InstallFuzzSetup() {
  static SilentBoxes boxes;
  RegisterProgramResources();
  SetMessageBoxBackend(&boxes);
  SetFatalHandler([](const FatalReport&) { std::abort(); });
}
