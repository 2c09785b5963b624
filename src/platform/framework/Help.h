// Help: one page per context id, shown in the program's own help window, so help works on every
// machine whether or not the desktop has a browser. A page holds the topic's title and the texts
// the string table has for it (a command's or control's prompt, a message's text).
#pragma once

#include <functional>
#include <string>

#include "platform/win/WinTypes.h"

// WinHelp commands.
constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_FINDER = 0x000B;

// Help command ids.
constexpr UINT ID_HELP_INDEX = 57666;
constexpr UINT ID_HELP_FINDER = 57667;
constexpr UINT ID_CONTEXT_HELP = 57669;
constexpr UINT ID_HELP = 57670;
constexpr UINT ID_DEFAULT_HELP = 57671;
// A command's help context is its id plus this.
constexpr DWORD HID_BASE_COMMAND = 0x10000;

// Opens a URL on the desktop; TRUE when the desktop took it. Tests install one that records.
using DesktopOpener = std::function<bool(const std::string& url)>;
// Installs `opener` (empty: the desktop's own) and returns the previous one.
DesktopOpener SetDesktopOpener(DesktopOpener opener);
bool OpenOnDesktop(const std::string& url);

// A help page: the context id it answers (0 for the contents), its title and its paragraphs
// separated by blank lines.
struct HelpPage {
  DWORD topic = 0;
  std::string title;
  std::string text;
};

// The page of a help request: HELP_CONTEXT shows topic `data`, HELP_FINDER and HELP_INDEX the
// contents; HELP_QUIT closes the help window. FALSE for any other command.
BOOL ShowHelp(UINT command, DWORD_PTR data);
// The page of topic `topic` (0: the contents). A context id above 0x10000 names the string of
// the id below it, as the program numbers its topics.
HelpPage MakeHelpPage(DWORD topic);

// Shows a page; tests install one that records (empty: the help window).
using HelpViewer = std::function<void(const HelpPage& page)>;
HelpViewer SetHelpViewer(HelpViewer viewer);
