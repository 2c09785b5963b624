// A camera window's picture leaving it: Improve Camera Image, Export Image and Copy Image, driven
// by their commands, with the files and clipboard bitmaps they make compared with each other.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/Preferences.h"
#include "dialogs/DialogExportImage.h"
#include "dialogs/DialogTestSupport.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/RunModal.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"
#include "views/CameraWindowTestSupport.h"
#include "views/DibBytes.h"
#include "views/LockedRows.h"
#include "views/StandAloneApp.h"

namespace views_test {
namespace {

struct ImageOutput : CameraWindowFixture {
  ImageOutput() { AddCylinderRows(doc, 8); }
  ~ImageOutput() override { SetExportImageQuestion(previousQuestion); }

  int Check(X3DView& view) {
    struct CheckState : CCmdUI {
      void SetCheck(int on) override { check = on; }
      int check = -1;
    } state;
    state.m_nID = kImproveCommand;
    state.DoUpdate(&view, FALSE);
    return state.check;
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> ids;
    for (const auto& box : boxes.boxes) ids.push_back(box.text.substr(0, 40));
    return ids;
  }
  // The BGR bytes of the `size` pixels at (x, y) of `surface`, top row first.
  static std::vector<BYTE> Pixels(IDirectDrawSurface* surface, int x, int y, SIZE size) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    const DWORD bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
    std::vector<BYTE> bgr;
    for (int row = 0; row < size.cy; ++row) {
      const BYTE* p = FirstRow(desc) + static_cast<std::ptrdiff_t>(y + row) * desc.lPitch + x * bytes;
      for (int i = 0; i < size.cx; ++i, p += bytes) bgr.insert(bgr.end(), p, p + 3);
    }
    surface->Unlock(desc.lpSurface);
    return bgr;
  }
  // The BGR bytes of a bitmap's rows (`rows` bottom-up, padded), top row first.
  static std::vector<BYTE> Pixels(const BYTE* rows, SIZE size) {
    std::vector<BYTE> bgr;
    for (int row = size.cy; row-- > 0;) {
      const BYTE* p = rows + DibRowBytes(size.cx) * row;
      bgr.insert(bgr.end(), p, p + 3 * size.cx);
    }
    return bgr;
  }

  ScriptedMessageBoxes boxes;
  ScriptedFileDialogs files;
  FakeClipboard clipboard;
  TemporaryFolder folder;
  ExportImageQuestion previousQuestion = SetExportImageQuestion(&AskExportImageWithDialog);
};

std::vector<BYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(ImageOutput, ImproveTogglesShowsTheImprovedExportAndAnEditDropsIt) {
  TestCameraView& view = Window(160, 120);
  view.SendMessage(WM_COMMAND, kImproveCommand);  // a window never painted is rendered first
  ASSERT_TRUE(view.improved);
  EXPECT_EQ(Check(view), 1);
  const std::vector<BYTE> shown = Pixels(view.image2, X3DView::kBand, X3DView::kBand, {160, 120});
  view.SendMessage(WM_COMMAND, kImproveCommand);
  EXPECT_FALSE(view.improved);
  EXPECT_EQ(Check(view), 0);
  view.SendMessage(WM_COMMAND, kImproveCommand);
  EXPECT_TRUE(view.improved);
  doc.UpdateAllViews(nullptr);
  view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  EXPECT_FALSE(view.improved);

  const std::vector<BYTE> file = view.RenderBitmapFile(160, 120, true);
  ASSERT_EQ(file.size(), 54 + 480u * 120);
  EXPECT_EQ(shown, Pixels(file.data() + 54, {160, 120}));
  EXPECT_NE(shown, Pixels(view.RenderBitmapFile(160, 120, false).data() + 54, {160, 120}));
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ImageOutput, ImproveStopsAt1017PixelsAndOrthographicWindowsHaveNoBand) {
  TestCameraView& view = Window(1018, 1017);
  view.RenderImage(nullptr, TRUE, nullptr, nullptr);
  IDirectDrawSurface* before = view.image2;
  view.SendMessage(WM_COMMAND, kImproveCommand);
  EXPECT_FALSE(view.improved);
  EXPECT_EQ(view.image2, before);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.substr(0, 72),
            "Cannot improve the quality of the active Camera window because it is lar");

  view.MoveWindow(0, 0, 1017, 1017);
  view.settings.orthographic = TRUE;
  view.SendMessage(WM_COMMAND, kImproveCommand);
  EXPECT_TRUE(view.improved);
  EXPECT_EQ(CSize(SurfaceSize(view.image2)), CSize(1017, 1017));
}

TEST_F(ImageOutput, OnAPaletteDisplayTheImprovedImageIsReduced) {
  PaletteDisplay display;
  TestCameraView& view = Window(40, 30);
  view.SendMessage(WM_COMMAND, kImproveCommand);
  EXPECT_TRUE(view.improved);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_EQ(view.image2->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 8u);
  EXPECT_EQ(CSize(SurfaceSize(view.image2)), CSize(54, 44));
}

TEST_F(ImageOutput, AWindowReadImprovedImprovesItselfOnceShown) {
  TestCameraView& view = Window(80, 60);
  view.improved = TRUE;
  const std::vector<BYTE> bytes = Store(view);
  view.improved = FALSE;
  Load(view, bytes);
  view.OnInitialUpdate();
  EXPECT_FALSE(view.improved);
  QCoreApplication::processEvents();
  EXPECT_TRUE(view.improved);
}

TEST_F(ImageOutput, ExportAsksForAFileAndASizeAndWritesTheBitmap) {
  doc.SetPathName((folder.Path() + "/My.Scenes/Chair.tvr").c_str(), FALSE);
  TestCameraView& view = Window(160, 120);
  const std::string path = folder / "chair.bmp";
  files.Answer({path});
  RunModal(
      [&] { return static_cast<int>(view.SendMessage(WM_COMMAND, kExportImageCommand)); },
      [&](QDialog* window) {
        CWnd& dialog = *CWnd::FromWidget(window);
        Type(dialog, 32819, "5");
        Type(dialog, 32820, "3");
        Click(dialog, IDOK);
      });
  ASSERT_EQ(files.requests.size(), 1u);
  const FileDialogRequest& asked = files.requests[0];
  EXPECT_EQ(asked.title, "Export Image");
  EXPECT_EQ(asked.fileName, "Chair.tvr");  // the scene template is unknown here: nothing to cut
  EXPECT_EQ(asked.initialFolder, folder.Path() + "/My.Scenes");
  EXPECT_EQ(asked.filters, (std::vector<FileDialogFilter>{{"Bitmap images (*.bmp)", "*.bmp"}}));
  EXPECT_EQ(asked.defaultExtension, "bmp");
  EXPECT_EQ(asked.flags, DWORD{0x806});

  const std::vector<BYTE> file = ReadFile(path);
  ASSERT_EQ(file.size(), 54u + 16 * 3);
  std::vector<BYTE> header(54);
  WriteBitmapFileHeader(header.data(), DibSize(5, 3));
  WriteBitmapInfoHeader(header.data() + 14, 5, 3, 3780, 3780);
  EXPECT_EQ(std::vector<BYTE>(file.begin(), file.begin() + 54), header);
  EXPECT_FALSE(view.image);
  EXPECT_FALSE(view.image2);
}

TEST_F(ImageOutput, AFailedExportLeavesNoFileAndKeepsTheFileItWasToReplace) {
  TestCameraView& view = Window(64, 48);
  std::ofstream(folder / "blocked") << "a file, not a folder";
  std::ofstream(folder / "old.bmp") << "old";
  const auto exportTo = [&](const std::string& path) {
    files.Answer({path});
    RunModal([&] { return static_cast<int>(view.SendMessage(WM_COMMAND, kExportImageCommand)); },
             [&](QDialog* window) { Click(*CWnd::FromWidget(window), IDOK); });
  };
  exportTo(folder / "blocked/new.bmp");
  // A disk that fills up: no file may grow past a few bytes while the old one is replaced.
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = previous;
  small.rlim_cur = 1000;
  setrlimit(RLIMIT_FSIZE, &small);
  exportTo(folder / "old.bmp");
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousSignal);

  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_NE(boxes.boxes[0].text.find("Cannot write to the following file:\n\n" + folder / "blocked/new.bmp"),
            std::string::npos);
  EXPECT_NE(boxes.boxes[1].text.find(folder / "old.bmp"), std::string::npos);
  EXPECT_EQ(ReadFile(folder / "old.bmp"), (std::vector<BYTE>{'o', 'l', 'd'}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

TEST_F(ImageOutput, ExportIsRefusedExactlyWhenTheRenderUsesTheDepthCue) {
  TestCameraView& view = Window(64, 48);
  doc.AddGroup(document_test::NewGroup(doc, "box", false, 0.3), TRUE, FALSE, 0);
  CameraFields& s = view.settings;
  s.autoFocusSelected = TRUE;
  s.linearModel = TRUE;
  s.fstop = 2.8;
  view.SendMessage(WM_COMMAND, kExportImageCommand);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(files.requests.empty());
  s.autoAperture = TRUE;  // the lens decides: the blur no longer follows the depth cue
  view.SendMessage(WM_COMMAND, kExportImageCommand);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(files.requests.size(), 1u);
}

TEST_F(ImageOutput, CopyPutsTheSupersampledBitmapOnTheClipboard) {
  TestCameraView& view = Window(160, 120);
  view.SendMessage(WM_COMMAND, kCopyImageCommand);
  ASSERT_EQ(clipboard.data.size(), 1u);
  EXPECT_EQ(clipboard.empties, 1);
  const std::vector<BYTE>& dib = clipboard.data[0].second;
  EXPECT_EQ(clipboard.data[0].first, CF_DIB);
  ASSERT_EQ(dib.size(), DibSize(160, 120));
  std::vector<BYTE> header(40);
  WriteBitmapInfoHeader(header.data(), 160, 120, 3839, 3839);  // a 1024-pixel screen 10.5 inches wide
  EXPECT_EQ(std::vector<BYTE>(dib.begin(), dib.begin() + 40), header);
  EXPECT_FALSE(view.image);
  const std::vector<BYTE> file = view.RenderBitmapFile(160, 120, true);
  EXPECT_EQ(Pixels(dib.data() + 40, {160, 120}), Pixels(file.data() + 54, {160, 120}));
}

TEST_F(ImageOutput, CopyResetsResolutionsOutsideTheirRangeAndLeavesABusyClipboardAlone) {
  TestCameraView& view = Window(400, 300);
  XWritePrefString(1150, 1155, "yes");
  XWritePrefString(1150, 1151, "no");
  for (const char* dpi : {"0", "99999"}) {
    XWritePrefString(1150, 1153, dpi);
    XWritePrefString(652, 684, "1500");
    view.SendMessage(WM_COMMAND, kCopyImageCommand);
    EXPECT_EQ(XGetPrefString(1150, 1153, "").str(), "75");
    EXPECT_EQ(XGetPrefString(652, 684, "").str(), "10.5");
  }
  ASSERT_EQ(clipboard.data.size(), 2u);
  const std::vector<BYTE>& dib = clipboard.data[1].second;
  std::vector<BYTE> header(40);
  WriteBitmapInfoHeader(header.data(), 307, 230, 2953, 2953);
  EXPECT_EQ(std::vector<BYTE>(dib.begin(), dib.begin() + 40), header);

  clipboard.heldByOtherProgram = true;
  view.SendMessage(WM_COMMAND, kCopyImageCommand);
  EXPECT_EQ(clipboard.empties, 2);
  EXPECT_EQ(clipboard.data.size(), 2u);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.substr(0, 54), "The Windows Clipboard is busy and cannot be copied to.");
}

}  // namespace
}  // namespace views_test
