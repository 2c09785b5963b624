#include "platform/framework/CommandLine.h"

#include <strings.h>

#include "platform/framework/Document.h"

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL) {
  if (flag) {
    if (strcasecmp(param, "p") == 0) m_nShellCommand = FilePrint;
    else if (strcasecmp(param, "pt") == 0) m_nShellCommand = FilePrintTo;
    else if (strcasecmp(param, "dde") == 0) m_nShellCommand = FileDDE;
    else if (strcasecmp(param, "unregister") == 0 || strcasecmp(param, "unregserver") == 0)
      m_nShellCommand = AppUnregister;
    return;
  }
  if (m_strFileName.IsEmpty()) {
    // Relative to the folder the program was started in, which start-up changes later.
    m_strFileName = FullPathName(param);
    if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
    return;
  }
  if (m_nShellCommand != FilePrintTo) return;
  switch (printToArguments_++) {
    case 0: m_strPrinterName = param; break;
    case 1: m_strDriverName = param; break;
    case 2: m_strPortName = param; break;
    default: break;
  }
}
