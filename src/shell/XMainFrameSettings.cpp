// The main frame's commands that open the Preferences sheet and the help pages.
#include "dialogs/PropertySheetPreferences.h"
#include "dialogs/SmartHelp.h"
#include "platform/framework/Help.h"
#include "shell/XMainFrame.h"

namespace {

constexpr UINT ID_SETTINGS_INTERACTIVE = 2100;
constexpr UINT ID_SETTINGS_FRONT_TOP_LEFT = 2101;
constexpr UINT ID_HELP_SUPPORT = 33016;

// Runs the sheet at `page`; everything OK changes is done by the pages.
void RunPreferences(UINT page) {
  PropertySheetPreferences sheet(page);
  sheet.DoModal();
}

}  // namespace

void XMainFrame::OnEditPreferences() { RunPreferences(kPrefsGeneralPage); }

void XMainFrame::OnToolBarSettings(UINT command) {
  if (command == ID_SETTINGS_INTERACTIVE)
    RunPreferences(kPrefsInteractivePage);
  else if (command == ID_SETTINGS_FRONT_TOP_LEFT)
    RunPreferences(kPrefsFrontTopLeftPage);
  else
    RunPreferences(kPrefsGroundPage);
}

void XMainFrame::OnHelpSupport() { ShowHelp(HELP_CONTEXT, ID_HELP_SUPPORT + kHelpTopicOffset); }

void XMainFrame::OnHelp() {
  if (const UINT topic = statusBar.GetPaneHelpId())
    ShowHelp(HELP_CONTEXT, topic);
  else
    ShowHelp(HELP_FINDER, 0);
}
