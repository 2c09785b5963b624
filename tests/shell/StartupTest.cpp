#include <gtest/gtest.h>

#include <unistd.h>

#include "core/DirectXProbe.h"
#include "platform/framework/RecentFileList.h"
#include "platform/win/CurrentDirectory.h"
#include "platform/win/Memory.h"
#include "shell/ShellTestSupport.h"
#include "shell/StartupChecks.h"
#include "shell/XMainFrame.h"
#include "support/TemporaryFolder.h"

namespace shell_test {
namespace {

using Startup = StartedApp;

TEST_F(Startup, WithoutArgumentsComesUpWithDirectXTheSharedMeshesAndNoScene) {
  WritePreferences(kSetUpBefore);
  ASSERT_TRUE(Start());
  EXPECT_NE(XGetMainFrame(), nullptr);
  EXPECT_TRUE(app.m_pMainWnd->GetWidget()->isVisible());
  EXPECT_EQ(app.CountOpenScenes(), 0);
  EXPECT_NE(app.m_applTimerId, 0u);
  EXPECT_TRUE(app.lpDD && app.lpDD2 && app.screen && app.lpD3DRM && app.device);
  EXPECT_TRUE(app.GetCylinderMesh() && app.GetGroundMesh());
  EXPECT_EQ(app.palette, nullptr);  // a true-colour display
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Startup, OutOfRangePreferencesAreReplacedAndExitStoresTheSwitches) {
  TemporaryFolder gone;
  const std::string missing = gone / "gone";
  char before[4096];
  ASSERT_NE(GetCurrentDirectory(sizeof before, before), 0u);
  WritePreferences(std::string(kSetUpBefore) +
                   "[General]\nNumberRecentScenes(0-16)=17\nInteractiveMode(0-20)=-1\nShowGround(yes/no)=yes\n"
                   "CurrentDirectory=" + missing + "\n");
  ASSERT_TRUE(Start());
  EXPECT_EQ(app.GetInteractiveMode(), 1);
  EXPECT_TRUE(app.GetShowGround());
  EXPECT_EQ(app.GetRecentFileList()->GetSize(), 8);
  app.SetInteractiveMode(5);
  app.m_pMainWnd->DestroyWindow();
  app.ExitInstance();
  started = false;
  const std::string stored = ReadPreferences();
  EXPECT_NE(stored.find("NumberRecentScenes(0-16)=8"), std::string::npos);
  EXPECT_NE(stored.find("InteractiveMode(0-20)=5"), std::string::npos);
  EXPECT_NE(stored.find(std::string("CurrentDirectory=") + before + "\n"), std::string::npos);
}

TEST_F(Startup, ADisplayOfFewerThan8BitsEndsStartUp) {
  WritePreferences(kSetUpBefore);
  display->bitsPerPixel = 4;
  EXPECT_FALSE(Start());
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{40200});
}

TEST_F(Startup, An8BitDisplayGetsTheFixedPaletteAndTheReminderUntilDeclined) {
  display->bitsPerPixel = 8;
  WritePreferences(kSetUpBefore);
  boxes.Answer({IDNO});
  ASSERT_TRUE(Start());
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{40250});
  ASSERT_NE(app.palette, nullptr);
  PALETTEENTRY p[256];
  ASSERT_EQ(app.palette->GetPaletteEntries(0, 256, p), 256u);
  EXPECT_EQ(p[10].peRed + p[10].peGreen + p[10].peBlue, 0);
  EXPECT_EQ((p[225].peRed & p[225].peGreen & p[225].peBlue), 255);
  EXPECT_EQ(p[190].peRed, 255);
  EXPECT_EQ(p[190].peGreen + p[190].peBlue, 0);
  EXPECT_EQ(p[16].peGreen, 38);
  EXPECT_EQ(p[16].peRed + p[16].peBlue, 0);
  EXPECT_EQ(p[3].peRed, 3);
  EXPECT_EQ(p[3].peFlags, 2);
  EXPECT_EQ(p[250].peRed, 250);
  EXPECT_EQ(p[230].peFlags, 0);
  EXPECT_NE(ReadPreferences().find("Warn256ColorDisplay(yes/no)=no"), std::string::npos);
}

// A system whose DirectDraw cannot be created has no DirectX 5.
class NoDirectDraw final : public SystemDirectXProbe {
 public:
  HRESULT DirectDrawCreate(GUID*, LPDIRECTDRAW*, IUnknown*) override { return E_FAIL; }
};

TEST_F(Startup, WithoutDirectX5StartUpEnds) {
  WritePreferences(kSetUpBefore);
  NoDirectDraw probe;
  DirectXProbe* previous = SetDirectXProbe(&probe);
  EXPECT_FALSE(Start());
  SetDirectXProbe(previous);
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{40242});
}

TEST_F(Startup, TheFirstRunListsTheTutorialsAndSetsTheObjectQualityFromMemory) {
  WritePreferences("");
  display->bitsPerPixel = 8;
  SetPhysicalMemory(64u << 20);
  ASSERT_TRUE(Start());
  SetPhysicalMemory(0);
  EXPECT_EQ(BoxIds(boxes), (std::vector<UINT>{40251, 40231, 40235, 40221, 40232}));
  const std::string stored = ReadPreferences();
  EXPECT_NE(stored.find("ObjectQualityBias=-1"), std::string::npos);
  EXPECT_NE(stored.find("ObjectQuality256Colors(yes/no)=yes"), std::string::npos);
  EXPECT_NE(stored.find("ObjectQualityAlreadySetup(yes/no)=yes"), std::string::npos);
  const CRecentFileList& recent = *app.GetRecentFileList();
  const std::string folder = app.programPath.GetDirectory().AddTrailingSeparator().str();
  EXPECT_EQ(recent[0], folder + "Tutorial1.tvr");
  EXPECT_EQ(recent[1], folder + "Tutorial2.tvr");
}

TEST(StartupChecks, ObjectQualityStepsAtTheMemoryThresholds) {
  EXPECT_EQ(ObjectQualityForMemory(8912896).bias, -4);
  EXPECT_EQ(ObjectQualityForMemory(8912897).bias, -3);
  EXPECT_EQ(ObjectQualityForMemory(17301504).messageId, 40219u);
  EXPECT_EQ(ObjectQualityForMemory(34078720).bias, -2);
  EXPECT_EQ(ObjectQualityForMemory(34078720).messageId, 40220u);
  EXPECT_EQ(ObjectQualityForMemory(34078721).bias, -1);
}

}  // namespace
}  // namespace shell_test
