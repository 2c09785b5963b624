#include "platform/framework/Help.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/framework/HelpWindow.h"
#include "platform/framework/MenuItemPrompt.h"
#include "platform/framework/String.h"

namespace {

DesktopOpener& Opener() {
  static DesktopOpener opener;
  return opener;
}

HelpViewer& Viewer() {
  static HelpViewer viewer;
  return viewer;
}

// A string "prompt\ntip" gives the tip as title and the prompt as text; a longer text (a
// message) gives its first line as title and the whole text.
HelpPage PageOfString(DWORD topic, const std::string& text) {
  HelpPage page{topic, {}, text};
  const std::size_t lineFeed = text.find('\n');
  if (lineFeed != std::string::npos && text.find('\n', lineFeed + 1) == std::string::npos) {
    page.title = text.substr(lineFeed + 1);
    page.text = text.substr(0, lineFeed);
  } else {
    page.title = text.substr(0, lineFeed);
  }
  return page;
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

HelpViewer SetHelpViewer(HelpViewer viewer) {
  HelpViewer previous = std::move(Viewer());
  Viewer() = std::move(viewer);
  return previous;
}

HelpPage MakeHelpPage(DWORD topic) {
  CString text;
  // A command's page tells what its prompt tells, also for the entries the framework adds to menus.
  const DWORD id = topic == 0                   ? ID_DEFAULT_HELP
                   : topic > HID_BASE_COMMAND ? MenuItemPromptId(static_cast<UINT>(topic - HID_BASE_COMMAND))
                                              : topic;
  if (text.LoadString(static_cast<UINT>(id)) && !text.IsEmpty()) return PageOfString(topic, text.str());
  return {topic, topic == 0 ? "Help Topics" : "Help topic " + std::to_string(topic), {}};
}

BOOL ShowHelp(UINT command, DWORD_PTR data) {
  DWORD topic = 0;
  switch (command) {
    case HELP_CONTEXT: topic = static_cast<DWORD>(data); break;
    case HELP_FINDER:
    case HELP_INDEX: break;
    case HELP_QUIT: CloseHelpWindow(); return TRUE;
    default: return FALSE;
  }
  const HelpPage page = MakeHelpPage(topic);
  if (Viewer())
    Viewer()(page);
  else
    ShowHelpWindow(page);
  return TRUE;
}
