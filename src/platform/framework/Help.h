// Help: the program's help pages, one per context id, opened through the desktop. A topic without
// a page of its own gets a plain page that names it, so every help request shows something.
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

// Opens a URL on the desktop; TRUE when the desktop took it. Tests install one that records.
using DesktopOpener = std::function<bool(const std::string& url)>;
// Installs `opener` (empty: the desktop's own) and returns the previous one.
DesktopOpener SetDesktopOpener(DesktopOpener opener);
bool OpenOnDesktop(const std::string& url);

// The page of a help request: HELP_CONTEXT shows topic `data`, HELP_FINDER and HELP_INDEX the
// contents; HELP_QUIT shows nothing. Pages live in the "help" folder beside the program as
// "<id>.html" and "index.html". FALSE when nothing could be shown.
BOOL ShowHelp(UINT command, DWORD_PTR data);
// The folder of the plain pages made for topics without one.
std::string GeneratedHelpFolder();
