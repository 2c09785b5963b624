#include "platform/framework/CommandLineInfo.h"

#include <utility>

namespace {

std::vector<std::string>& Arguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

}  // namespace

void AfxSetCommandLine(std::vector<std::string> arguments) { Arguments() = std::move(arguments); }

const std::vector<std::string>& AfxGetCommandLine() { return Arguments(); }

void AfxParseCommandLine(CCommandLineInfo& info) {
  for (const std::string& argument : Arguments()) {
    if (argument.empty() || argument[0] == '-') continue;
    info.m_nShellCommand = CCommandLineInfo::FileOpen;
    info.m_strFileName = argument.c_str();
    return;
  }
}
