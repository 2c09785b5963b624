#include "core/FatalReport.h"

#include <unistd.h>

#include <cstdio>

#include "core/XString.h"
#include "core/XMessageBox.h"
#include "platform/win/StringResources.h"

namespace {

FatalHandler currentHandler = nullptr;
bool reporting = false;

[[noreturn]] void Report(UINT messageId, const char* file, int line, const char* date, const char* time,
                         const char* expression, std::string detail) {
  // A failure inside the report's own box (its message loop still paints and ticks) ends the
  // program at once instead of stacking a second report.
  if (reporting) _exit(3);
  reporting = true;

  FatalReport report{messageId, file ? file : "", line, std::string(date ? date : "") + " " + (time ? time : ""),
                     expression ? expression : "", std::move(detail), {}};
  const char* body = FindStringResource(messageId);
  report.text = XString(body ? body : "", report.file.c_str(), XString(static_cast<long>(line)),
                        report.version.c_str(), report.expression.c_str(), report.detail.c_str())
                    .str();

  if (currentHandler) {
    reporting = false;
    currentHandler(report);
  }
  XErrorBox(messageId, report.file.c_str(), XString(static_cast<long>(line)), report.version.c_str(),
            report.expression.c_str(), report.detail.c_str());
  std::fflush(nullptr);
  _exit(3);
}

std::string LowCode(HRESULT result) { return XString(static_cast<long>(static_cast<DWORD>(result) & 0xFFFFu)).str(); }

}  // namespace

FatalHandler SetFatalHandler(FatalHandler handler) {
  FatalHandler previous = currentHandler;
  currentHandler = handler;
  return previous;
}

void XAssertFailed(const char* file, int line, const char* date, const char* time, const char* expression,
                   const char* message) {
  Report(40042, file, line, date, time, expression, message ? message : "");
}

void XAssertDDFailed(const char* file, int line, const char* date, const char* time, const char* expression,
                     HRESULT result) {
  Report(40043, file, line, date, time, expression, LowCode(result));
}

void XAssertD3DFailed(const char* file, int line, const char* date, const char* time, const char* expression,
                      HRESULT result) {
  Report(40058, file, line, date, time, expression, LowCode(result));
}

void XAssertD3DRMFailed(const char* file, int line, const char* date, const char* time, const char* expression,
                        HRESULT result) {
  Report(40044, file, line, date, time, expression, LowCode(result));
}
