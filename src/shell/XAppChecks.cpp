// The checks of start-up: the display's colour depth (and the palette of an 8-bit display), what
// the system says of the machine's speed, the installed DirectX, and the first run's introduction
// and object-quality set-up.
#include <string>

#include "core/DirectX.h"
#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "core/XMessageBox.h"
#include "dialogs/PropertySheetPreferences.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Help.h"
#include "platform/framework/Wnd.h"
#include "platform/win/Memory.h"
#include "platform/win/SystemInfo.h"
#include "shell/StartupChecks.h"
#include "shell/XApp.h"

namespace {

constexpr UINT kTooFewColors = 40200;
constexpr UINT k256ColorsReminder = 40250;
constexpr UINT k256ColorsFirstRun = 40251;
constexpr UINT kFixedPalette = 40249;
constexpr UINT kSlowProcessor = 40203;
constexpr UINT kSlowVideoCard = 40204;
constexpr int kSlowVideoCardFlag = 0x4;
constexpr UINT kNeedDirectX5 = 40242;
constexpr UINT kNoBrowser = 40247;
// The page messages 40242 and 40247 name.
constexpr const char* kDirectXDownloadPage = "https://www.microsoft.com/en-us/download/details.aspx?id=35";
constexpr UINT kTutorial1Id = 89;
constexpr UINT kTutorial2Id = 90;
constexpr UINT kSmartHelpMessage = 40231;
constexpr UINT kDisplayWidthMessage = 40235;
constexpr UINT kBeginnerModeMessage = 40232;

int ScreenCaps(int index) {
  HDC screen = GetDC(nullptr);
  const int value = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return value;
}

bool ChangeablePalette() { return (ScreenCaps(RASTERCAPS) & RC_PALETTE) && ScreenCaps(SIZEPALETTE) >= 256; }

bool FirstRun() { return !XGetPrefBool(XPref::OBJECT_QUALITY_ALREADY_SETUP); }

}  // namespace

BOOL XApp::RunStartupChecks() {
  const int bits = ScreenCaps(BITSPIXEL);
  if (bits < 8) {
    XErrorBox(kTooFewColors);
    return FALSE;
  }
  if (bits == 8) {
    if (FirstRun()) {
      XInfoBox(k256ColorsFirstRun);
    } else if (XGetPrefBool(XPref::WARN_256_COLOR_DISPLAY) &&
               XInfoBox(k256ColorsReminder, CMMButtons::YESNO, CMMDefault::BUTTON1) == CMMReturn::NO) {
      XWritePrefBool(XPref::WARN_256_COLOR_DISPLAY.section, XPref::WARN_256_COLOR_DISPLAY.key, FALSE);
    }
    if (!ChangeablePalette()) {
      XErrorBox(kFixedPalette);
      return FALSE;
    }
    XASSERT(!palette, "");
    struct {
      WORD version = 0x300;
      WORD count = 256;
      PALETTEENTRY entries[256];
    } pal;
    BuildFixedPalette(pal.entries);
    palette = std::make_unique<CPalette>();
    XASSERT(palette->CreatePalette( (LOGPALETTE*)&pal ), "");
  }

  // Speed is never measured: the warnings rest on what the system reports.
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  if (system.dwProcessorType == PROCESSOR_INTEL_386 || system.dwProcessorType == PROCESSOR_INTEL_486)
    XInfoBox(kSlowProcessor);
  if (GetSystemMetrics(SM_SLOWMACHINE) & kSlowVideoCardFlag) XInfoBox(kSlowVideoCard);

  DWORD version = 0;
  DWORD platform = 0;
  XGetDXVersion(&version, &platform);
  if (version < 0x500 || platform == 0) {
    XErrorBox(kNeedDirectX5);
    if (!OpenOnDesktop(kDirectXDownloadPage)) XErrorBox(kNoBrowser);
    return FALSE;
  }

  if (FirstRun()) {
    // The tutorials go on the recent-file list, the first one at its head; they are not opened.
    const std::string folder = programPath.GetDirectory().AddTrailingSeparator().str();
    AddToRecentFileList((folder + XString(kTutorial2Id).str()).c_str());
    AddToRecentFileList((folder + XString(kTutorial1Id).str()).c_str());
    XInfoBox(kSmartHelpMessage);
    XInfoBox(kDisplayWidthMessage);
    PropertySheetPreferences preferences(kPrefsCopyImagePage);
    preferences.DoModal();
    MEMORYSTATUS memory{};
    GlobalMemoryStatus(&memory);
    const QualityForMemory quality = ObjectQualityForMemory(memory.dwTotalPhys);
    const long bias = quality.bias;
    XWritePref(XPref::OBJECT_QUALITY_BIAS.section, XPref::OBJECT_QUALITY_BIAS.key, &bias);
    XWritePrefBool(XPref::OBJECT_QUALITY_256_COLORS.section, XPref::OBJECT_QUALITY_256_COLORS.key, TRUE);
    XInfoBox(quality.messageId);
    XInfoBox(kBeginnerModeMessage);
    m_pMainWnd->PostMessage(WM_COMMAND, ID_HELP_FINDER);
    XWritePrefBool(XPref::OBJECT_QUALITY_ALREADY_SETUP.section, XPref::OBJECT_QUALITY_ALREADY_SETUP.key, TRUE);
    InitGlobals();
  }
  return TRUE;
}
