#include "platform/framework/Help.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "platform/win/ProgramFiles.h"

namespace {

DesktopOpener& Opener() {
  static DesktopOpener opener;
  return opener;
}

// The page for a topic: the program's own, or a plain one made on first use.
std::string HelpPage(const std::string& name, const std::string& title) {
  const std::string own = ProgramDirectory() + "/help/" + name + ".html";
  std::error_code error;
  if (std::filesystem::exists(own, error)) return own;
  const std::string folder = GeneratedHelpFolder();
  std::filesystem::create_directories(folder, error);
  const std::string made = folder + "/" + name + ".html";
  std::ofstream page(made, std::ios::trunc);
  page << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" << title << "</title></head>\n<body><h1>"
       << title << "</h1></body></html>\n";
  return page ? made : std::string();
}

}  // namespace

DesktopOpener SetDesktopOpener(DesktopOpener opener) {
  DesktopOpener previous = std::move(Opener());
  Opener() = std::move(opener);
  return previous;
}

bool OpenOnDesktop(const std::string& url) {
  if (Opener()) return Opener()(url);
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

std::string GeneratedHelpFolder() { return QDir::tempPath().toStdString() + "/tavrolin-help"; }

BOOL ShowHelp(UINT command, DWORD_PTR data) {
  std::string page;
  switch (command) {
    case HELP_CONTEXT: page = HelpPage(std::to_string(data), "help topic " + std::to_string(data)); break;
    case HELP_FINDER:
    case HELP_INDEX: page = HelpPage("index", "help contents"); break;
    case HELP_QUIT: return TRUE;
    default: return FALSE;
  }
  if (page.empty()) return FALSE;
  return OpenOnDesktop(QUrl::fromLocalFile(QString::fromStdString(page)).toString().toStdString()) ? TRUE : FALSE;
}
