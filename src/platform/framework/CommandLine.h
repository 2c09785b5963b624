// The program's command line as the framework reads it: a file name opens that file (a relative
// one counts from the folder the program started in); "/p" or "-p" before it prints it, "/pt"
// prints it to a printer named by the next arguments, "/dde" waits for desktop requests. Without
// arguments the command is a new file.
#pragma once

#include "platform/framework/String.h"

class CCommandLineInfo {
 public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

  virtual ~CCommandLineInfo() = default;
  // One argument: `flag` when it began with '/' or '-' (which is removed); `last` for the last.
  virtual void ParseParam(const char* param, BOOL flag, BOOL last);

  int m_nShellCommand = FileNew;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

 private:
  int printToArguments_ = 0;  // the printer, driver and port names after the file
};
