// The program's command line as the application reads it: which shell command it asks for and the
// file it names.
#pragma once

#include <string>
#include <vector>

#include "platform/framework/String.h"

class CCommandLineInfo {
 public:
  enum { FileNew, FileOpen, FileNothing };
  int m_nShellCommand = FileNew;
  CString m_strFileName;
};

// The arguments the program was started with, without the program's own name; AfxWinMain keeps
// them.
void AfxSetCommandLine(std::vector<std::string> arguments);
const std::vector<std::string>& AfxGetCommandLine();

// The first argument that is not an option ("-..." ) names a file to open; without one the
// command is a new file.
void AfxParseCommandLine(CCommandLineInfo& info);
