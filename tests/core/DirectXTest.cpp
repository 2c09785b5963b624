#include <gtest/gtest.h>

#include <string>

#include "core/DirectX.h"
#include "platform/ddraw/TestSeams.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"

namespace {

// The system's DirectDraw behind a chosen version record and libraries (one call after creation
// may fail), and a Direct3D whose hardware RGB device renders at 16 and 32 bits.
class FakeProbe final : public SystemDirectXProbe, public IDirect3D {
 public:
  FakeProbe() : previous_(SetDirectXProbe(this)) {}
  ~FakeProbe() override {
    SetDirectXProbe(previous_);
    DDClearFaults();
  }
  BOOL GetVersionEx(OSVERSIONINFOA* info) override {
    *info = {sizeof *info, system.major, 0, system.build, system.platformId, {}};
    return TRUE;
  }
  bool HasLibraryEntry(const char* library, const char* entry) override {
    return (system.directInput || std::string(library) != "DINPUT.DLL") &&
           SystemDirectXProbe::HasLibraryEntry(library, entry);
  }
  HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) override {
    HRESULT result = SystemDirectXProbe::DirectDrawCreate(driver, directDraw, outer);
    if (system.failing != DDCall::Count) DDFailNext(system.failing, 1, DDERR_GENERIC);
    return result;
  }
  HRESULT QueryDirect3D(IDirectDraw*, IDirect3D** result) override {
    (*result = this)->AddRef();
    return S_OK;
  }
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }
  HRESULT FindDevice(D3DFINDDEVICESEARCH* search, D3DFINDDEVICERESULT* result) override {
    searches.push_back(search->dwFlags);
    const bool hardware = ignoresSoftwareRequest || !((search->dwFlags & D3DFDS_HARDWARE) && !search->bHardware);
    result->ddHwDesc.dwFlags = hardware ? D3DDD_DEVICERENDERBITDEPTH : 0;
    result->ddHwDesc.dwDeviceRenderBitDepth = hardware ? DDBD_16 | DDBD_32 : 0;
    return S_OK;
  }

  struct System {
    DWORD platformId = VER_PLATFORM_WIN32_WINDOWS, major = 4, build = 950;
    bool directInput = true;
    DDCall failing = DDCall::Count;  // a DirectDraw call failing after the creation
  } system;
  bool ignoresSoftwareRequest = false;
  ULONG references = 0;
  std::vector<DWORD> searches;

 private:
  DirectXProbe* previous_;
};

TEST(DirectX, TheVersionFollowsTheSystemAndEachInterfaceItOffers) {
  const struct {
    FakeProbe::System system;
    DWORD version, platform;
  } cases[] = {
      {{VER_PLATFORM_WIN32_NT, 3, 0, true, DDCall::Count}, 0, 0},
      {{VER_PLATFORM_WIN32_NT, 4, 0, false, DDCall::Count}, 0x200, 2},
      {{VER_PLATFORM_WIN32_NT, 5, 0, true, DDCall::Count}, 0x501, 2},
      {{VER_PLATFORM_WIN32_WINDOWS, 4, 0x0400054A, true, DDCall::Count}, 0x501, 1},  // build 1354
      {{VER_PLATFORM_WIN32_WINDOWS, 4, 1353, true, DDCall::Count}, 0x500, 1},
      {{VER_PLATFORM_WIN32_WINDOWS, 4, 1353, true, DDCall::Create}, 0, 1},  // no primary surface
  };
  const long liveBefore = DDLiveObjectCount();
  for (const auto& c : cases) {
    FakeProbe probe;
    probe.system = c.system;
    DWORD version = 7, platform = 7;
    XGetDXVersion(&version, &platform);
    EXPECT_EQ(std::make_pair(version, platform), std::make_pair(c.version, c.platform))
        << c.system.major << " " << c.system.build;
    EXPECT_EQ(DDLiveObjectCount(), liveBefore);
  }
  DWORD version, platform;
  XGetDXVersion(&version, &platform);  // this system's own DirectDraw layer
  EXPECT_EQ(std::make_pair(version, platform), std::make_pair(0x500u, 1u));
}

TEST(DirectX, TheDeviceIsSoftwareUnlessHardwareIsAllowedAndDrawsAtTheScreensDepth) {
  const struct {
    const char* preference;
    BOOL softwareOnly;
    int screenBits;
    std::vector<DWORD> searches;
    bool hardware;
  } cases[] = {
      {nullptr, FALSE, 16, {5}, false}, {"no", TRUE, 24, {5}, false},     {"no", FALSE, 24, {1, 5}, false},
      {"no", FALSE, 16, {1}, true},     {"no", FALSE, 15, {1, 5}, false},
  };
  IUPtr<IDirectDraw> directDraw;
  ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), S_OK);
  for (const auto& c : cases) {
    ScopedMemoryProfile profile;
    ScopedSystemInfo system;
    system->bitsPerPixel = c.screenBits;
    if (c.preference) profile->WriteProfileString("General", "Direct3DSoftwareOnlyDriver(yes/no)", c.preference);
    FakeProbe probe;
    const D3DFINDDEVICERESULT* found = XFindD3DDevice(directDraw, c.softwareOnly);
    EXPECT_EQ(probe.searches, c.searches) << c.screenBits;
    EXPECT_EQ(found->ddHwDesc.dwFlags != 0, c.hardware) << c.screenBits;
    EXPECT_EQ(found->dwSize, 428u);
    if (c.softwareOnly) {
      probe.ignoresSoftwareRequest = true;
      EXPECT_FATAL(XFindD3DDevice(directDraw, TRUE), "!softwareOnly",
                   "We shouldn't have found hardware if request was software only");
    }
    EXPECT_EQ(probe.references, 0u);
  }
  const D3DFINDDEVICERESULT* found = XFindD3DDevice(directDraw, FALSE);  // this system's Direct3D
  EXPECT_EQ(found->guid, IID_IDirect3DRGBDevice);
  EXPECT_EQ(found->ddHwDesc.dwFlags, 0u);
  EXPECT_FATAL(XFindD3DDevice(nullptr, FALSE), "lpDD", "");
}

}  // namespace
