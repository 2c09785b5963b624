// A camera window's picture leaving it by Improve, Export Image and Copy Image, and its bytes.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/Preferences.h"
#include "dialogs/DialogExportImage.h"
#include "dialogs/DialogTestSupport.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/RunModal.h"
#include "platform/win/FileReplace.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"
#include "views/CameraWindowTestSupport.h"
#include "views/CopyImageSize.h"
#include "views/DibBytes.h"
#include "views/ExportImageName.h"
#include "views/StandAloneApp.h"
#include "views/SupersampleRows.h"

namespace views_test {
namespace {

// The pixels of a bitmap's rows (stored bottom-up, padded), top row first, as 0xRRGGBB.
std::vector<DWORD> Pixels(const BYTE* rows, int width, int height) {
  std::vector<DWORD> pixels;
  for (int row = height; row-- > 0;) {
    const BYTE* p = rows + DibRowBytes(width) * row;
    for (int x = 0; x < width; ++x, p += 3) pixels.push_back(p[0] | p[1] << 8 | p[2] << 16);
  }
  return pixels;
}

std::vector<BYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ImageOutput : CameraWindowFixture {
  ImageOutput() { AddCylinderRows(doc, 8); }
  ~ImageOutput() override { SetExportImageQuestion(previousQuestion); }

  int Check() { return StateOf(*view, kImproveCommand).checked; }
  // Export Image to `path`, unimproved at `width` x `height`, or at the dialog's defaults.
  void Export(const std::string& path, const char* width = nullptr, const char* height = nullptr) {
    files.Answer({path});
    RunModal([&] { return static_cast<int>(view->SendMessage(WM_COMMAND, kExportImageCommand)); },
             [&](QDialog* window) {
               CWnd& dialog = *CWnd::FromWidget(window);
               if (width) {
                 Type(dialog, 32819, width);
                 Type(dialog, 32820, height);
                 Click(dialog, 32821);
               }
               Click(dialog, IDOK);
             });
  }

  ScriptedMessageBoxes boxes;
  ScriptedFileDialogs files;
  FakeClipboard clipboard;
  TemporaryFolder folder;
  ExportImageQuestion previousQuestion = SetExportImageQuestion(&AskExportImageWithDialog);
};

TEST_F(ImageOutput, ImproveTogglesShowsTheImprovedExportAndAnEditDropsIt) {
  TestCameraView& w = Window(160, 120);
  w.SendMessage(WM_COMMAND, kImproveCommand);  // a window never painted is rendered first
  ASSERT_TRUE(w.improved);
  EXPECT_EQ(Check(), 1);
  const std::vector<DWORD> shown = SurfacePixels(w.image2, X3DView::kBand, X3DView::kBand, 160, 120);
  w.SendMessage(WM_COMMAND, kImproveCommand);
  EXPECT_EQ(Check(), 0);
  w.SendMessage(WM_COMMAND, kImproveCommand);
  doc.UpdateAllViews(nullptr);
  w.RenderImage(nullptr, TRUE, nullptr, nullptr);
  EXPECT_FALSE(w.improved);

  const std::vector<BYTE> file = w.RenderBitmapFile(160, 120, true);
  ASSERT_EQ(file.size(), 54 + 480u * 120);
  EXPECT_EQ(shown, Pixels(file.data() + 54, 160, 120));
  EXPECT_NE(shown, Pixels(w.RenderBitmapFile(160, 120, false).data() + 54, 160, 120));

  w.improved = TRUE;  // as read from the scene file: improved again once shown
  w.OnInitialUpdate();
  EXPECT_FALSE(w.improved);
  QCoreApplication::processEvents();
  EXPECT_TRUE(w.improved);
}

TEST_F(ImageOutput, ImproveStopsAt1017PixelsAndAnEmptyWindowHasNothingToImproveOrCopy) {
  TestCameraView& w = Window(1018, 1017);
  w.RenderImage(nullptr, TRUE, nullptr, nullptr);
  IDirectDrawSurface* before = w.image2;
  w.SendMessage(WM_COMMAND, kImproveCommand);
  EXPECT_FALSE(w.improved);
  EXPECT_EQ(w.image2, before);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.find("Cannot improve the quality of the active Camera window"), 0u);

  // Resized without a paint; orthographic windows have no band.
  w.MoveWindow(0, 0, 1017, 1017);
  w.settings.orthographic = TRUE;
  w.SendMessage(WM_COMMAND, kImproveCommand);
  EXPECT_TRUE(w.improved);
  EXPECT_EQ(CSize(SurfaceSize(w.image2)), CSize(1017, 1017));

  w.MoveWindow(0, 0, 0, 0);
  w.improved = FALSE;
  w.SendMessage(WM_COMMAND, kImproveCommand);
  w.SendMessage(WM_COMMAND, kCopyImageCommand);
  EXPECT_FALSE(w.improved);
  EXPECT_TRUE(clipboard.data.empty());
  EXPECT_EQ(boxes.boxes.size(), 1u);
}

// A message box during which the user gives the window's picture commands once.
class PictureCommandsDuringBox final : public MessageBoxBackend {
 public:
  explicit PictureCommandsDuringBox(CWnd& window) : window(window), previous(SetMessageBoxBackend(this)) {}
  ~PictureCommandsDuringBox() override { SetMessageBoxBackend(previous); }
  int Show(HWND, const char* text, const char*, UINT style) override {
    texts.emplace_back(text);
    if (texts.size() == 1)
      for (UINT command : {kImproveCommand, kCopyImageCommand, kExportImageCommand}) window.SendMessage(WM_COMMAND, command);
    return DefaultButtonResult(style);
  }
  void Beep(UINT) override {}

  std::vector<std::string> texts;

 private:
  CWnd& window;
  MessageBoxBackend* previous;
};

// Improve, Copy Image and Export Image do nothing while the window's render waits in a message box
// (here about its damaged background picture), whose surfaces they would otherwise take away.
TEST_F(ImageOutput, PictureCommandsDoNothingWhileTheWindowsRenderWaitsInAMessageBox) {
  TestCameraView& w = Window(160, 120);
  w.RenderImage(nullptr, TRUE, nullptr, nullptr);
  std::ofstream(folder / "broken.bmp") << "not a bitmap";
  w.settings.backgroundImage = TRUE;
  w.settings.backgroundImagePath = (folder / "broken.bmp").c_str();
  w.settings.background = RGB(0, 0, 255);
  w.needsRender = TRUE;
  PictureCommandsDuringBox user(w);
  w.RenderImage(nullptr, TRUE, nullptr, nullptr);
  ASSERT_EQ(user.texts.size(), 1u);
  EXPECT_NE(user.texts[0].find("broken.bmp"), std::string::npos);
  EXPECT_FALSE(w.improved);
  EXPECT_TRUE(clipboard.data.empty());
  EXPECT_TRUE(files.requests.empty());
  // The render finished with its own surfaces: the background colour fills the picture.
  ASSERT_TRUE(w.image2);
  EXPECT_EQ(SurfacePixels(w.image2, X3DView::kBand, X3DView::kBand, 1, 1)[0], 0xFFu);
}

TEST_F(ImageOutput, ExportIsRefusedWhenTheRenderUsesTheDepthCueElseAsksForAFileAndASizeAndFailsSafely) {
  CMultiDocTemplate sceneTemplate(14, nullptr, nullptr, nullptr);  // Tavrolin files (*.tvr)
  doc.m_pDocTemplate = &sceneTemplate;
  doc.SetPathName((folder.Path() + "/My.Scenes/Chair.tvr").c_str(), FALSE);
  TestCameraView& w = Window(160, 120);
  doc.AddGroup(document_test::NewGroup(doc, "box", false, 0.3), TRUE, FALSE, 0);
  w.settings.autoFocusSelected = TRUE;
  w.settings.linearModel = TRUE;
  w.settings.fstop = 2.8;
  w.SendMessage(WM_COMMAND, kExportImageCommand);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(files.requests.empty());
  w.settings.autoAperture = TRUE;  // the lens decides: the blur no longer follows the depth cue
  const mode_t mask = ::umask(027);
  Export(folder / "chair.bmp", "5", "3");
  ::umask(mask);
  doc.m_pDocTemplate = nullptr;
  ASSERT_EQ(files.requests.size(), 1u);
  const FileDialogRequest& asked = files.requests[0];
  EXPECT_EQ(asked.initialFolder + "|" + asked.fileName, folder.Path() + "/My.Scenes|Chair");

  const std::vector<BYTE> file = ReadFile(folder / "chair.bmp");
  ASSERT_EQ(file.size(), 54u + 16 * 3);
  EXPECT_EQ(std::vector<BYTE>(file.begin() + 18, file.begin() + 26), (std::vector<BYTE>{5, 0, 0, 0, 3, 0, 0, 0}));
  EXPECT_FALSE(w.image);
  struct stat st {};
  ASSERT_EQ(::stat((folder / "chair.bmp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u) << "as the user's umask gives";

  // A failed export leaves no file and keeps the file it was to replace.
  std::ofstream(folder / "blocked") << "a file, not a folder";
  std::ofstream(folder / "old.bmp") << "old";
  w.RenderImage(nullptr, TRUE, nullptr, nullptr);
  IDirectDrawSurface* shown = w.image;
  Export(folder / "blocked/new.bmp");
  EXPECT_EQ(w.image, shown) << "refused before rendering";
  // A disk that fills up: no file may grow past 1000 bytes while the old one is replaced.
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = previous;
  small.rlim_cur = 1000;
  setrlimit(RLIMIT_FSIZE, &small);
  Export(folder / "old.bmp");
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousSignal);

  ASSERT_EQ(boxes.boxes.size(), 3u);
  EXPECT_EQ(boxes.boxes[1].text.find("Cannot write to the following file:\n\n" + folder / "blocked/new.bmp"), 0u);
  EXPECT_NE(boxes.boxes[2].text.find(folder / "old.bmp"), std::string::npos);
  EXPECT_EQ(ReadFile(folder / "old.bmp"), (std::vector<BYTE>{'o', 'l', 'd'}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3);  // and chair.bmp
}

// The names in `folder`, sorted.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(ImageOutput, WhatAnExportKilledWhileWritingLeftGoesWithTheNextExportOfThatFile) {
  const std::string path = folder / "picture.bmp";
  // A writer that the file size limit kills half-way through the picture, as a user's kill would.
  const pid_t writer = ::fork();
  if (writer == 0) {
    const rlimit small{1000, 1000}, noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::signal(SIGXFSZ, SIG_DFL);
    ReplaceFile(path, std::string(5000, 'x'), NewFileMode::fromUmask);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(writer, &status, 0), writer);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(Names(folder.Path()).size(), 1u);
  ASSERT_NE(Names(folder.Path())[0], "picture.bmp");

  Window(160, 120);
  Export(path, "5", "3");
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"picture.bmp"});
}

TEST_F(ImageOutput, AnExportOntoAFolderIsRefusedBeforeTheRender) {
  std::filesystem::create_directory(folder / "picture.bmp");
  TestCameraView& w = Window(160, 120);
  w.RenderImage(nullptr, TRUE, nullptr, nullptr);
  IDirectDrawSurface* shown = w.image;
  Export(folder / "picture.bmp");
  EXPECT_EQ(w.image, shown) << "refused before rendering";
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.find("Cannot write to the following file:\n\n" + folder / "picture.bmp"), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "picture.bmp"));
  EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"picture.bmp"});
}

TEST_F(ImageOutput, CopyPutsTheSupersampledBitmapOnTheClipboardAndResetsResolutionsOutOfRange) {
  TestCameraView& w = Window(160, 120);
  w.SendMessage(WM_COMMAND, kCopyImageCommand);
  ASSERT_EQ(clipboard.data.size(), 1u);
  EXPECT_EQ(clipboard.data[0].first, CF_DIB);
  const std::vector<BYTE>& dib = clipboard.data[0].second;
  ASSERT_EQ(dib.size(), DibSize(160, 120));
  EXPECT_EQ(std::vector<BYTE>(dib.begin() + 4, dib.begin() + 8), (std::vector<BYTE>{160, 0, 0, 0}));
  EXPECT_FALSE(w.image);
  const std::vector<BYTE> file = w.RenderBitmapFile(160, 120, true);
  EXPECT_TRUE(std::equal(dib.begin() + 40, dib.end(), file.begin() + 54, file.end()));

  // Resolutions outside their range are reset; a busy clipboard is left alone.
  w.MoveWindow(0, 0, 400, 300);
  XWritePrefString(1150, 1155, "yes");
  for (const char* dpi : {"0", "99999"}) {
    XWritePrefString(1150, 1153, dpi);
    XWritePrefString(652, 684, "1500");
    w.SendMessage(WM_COMMAND, kCopyImageCommand);
    EXPECT_EQ(XGetPrefString(1150, 1153, "").str() + " " + XGetPrefString(652, 684, "").str(), "75 10.5");
  }
  ASSERT_EQ(clipboard.data.size(), 3u);

  clipboard.heldByOtherProgram = true;
  w.SendMessage(WM_COMMAND, kCopyImageCommand);
  EXPECT_EQ(clipboard.empties, 3);
  EXPECT_EQ(clipboard.data.size(), 3u);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text.find("The Windows Clipboard is busy"), 0u);

  // Without the resolution setting, a window past the largest render is copied smaller, and the
  // notice blames the window alone.
  clipboard.heldByOtherProgram = false;
  XWritePrefString(1150, 1155, "no");
  w.MoveWindow(0, 0, 2100, 40);
  w.SendMessage(WM_COMMAND, kCopyImageCommand);
  ASSERT_GE(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text.find("The active Camera window is larger"), 0u);
}

TEST(Supersample, RowsAverageByTwoThenOneAndBitmapRowsArePaddedStoredBottomUpAndHalvedOnRequest) {
  // Blocks summing to 6 round to 2 then 1 along the row; a sum of 5 gives 1 both times.
  std::vector<BYTE> first{1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 2, 1}, second{2, 1, 2, 2, 1, 2, 2, 1, 2, 2, 1, 2};
  AverageRowPair(first.data(), second.data(), second.data(), 2, SupersampleFormat::rgb24);
  EXPECT_EQ(std::vector<BYTE>(second.begin(), second.begin() + 6), (std::vector<BYTE>{2, 1, 2, 1, 1, 1}));

  // 16 bits: 5:5:5's top bit stays what it was in the pixel written over.
  std::vector<BYTE> f555{0, 4 << 2, 0, 4 << 2}, s555{0, 0x80 | 4 << 2, 0, 0};  // red 4, 4, 4 and 0
  AverageRowPair(f555.data(), s555.data(), s555.data(), 1, SupersampleFormat::rgb555);
  EXPECT_EQ(s555[0] | s555[1] << 8, 0x8000 | 3 << 10);

  // Bitmap rows are padded, stored bottom-up and halved on request; headers carry sizes and resolution.
  // A one-pixel-wide image, top row white, bottom row black.
  const BYTE image[2][3] = {{255, 255, 255}, {0, 0, 0}};
  std::vector<BYTE> rows(8, 0xEE);
  PackDibRows(rows.data(), image[0], 3, 1, 2, false);
  EXPECT_EQ(rows, (std::vector<BYTE>{0, 0, 0, 0, 255, 255, 255, 0}));

  // A 2x1 image from a 4x2 render: blue sums 5 and 6 give (5+2)/4 and (6+1)/4.
  const BYTE render[2][12] = {{1, 0, 0, 1, 0, 0, 2, 0, 0, 1, 0, 0}, {1, 0, 0, 2, 0, 0, 2, 0, 0, 1, 0, 0}};
  std::vector<BYTE> halved(8, 0xEE);
  PackDibRows(halved.data(), render[0], 12, 2, 1, true);
  EXPECT_EQ(halved, (std::vector<BYTE>{1, 0, 0, 1, 0, 0, 0, 0}));
  std::vector<BYTE> file(54, 0xEE);
  WriteBitmapFileHeader(file.data(), DibSize(3, 2));
  WriteBitmapInfoHeader(file.data() + 14, 3, 2, DotsPerMetre(96), DotsPerMetre(120));  // 3780, 4724
  const std::vector<BYTE> expected{'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
                                   40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0xC4, 0x0E, 0, 0, 0x74, 0x12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(file, expected);
}

TEST(CopyImageSize, FollowsTheClientOrTheResolutionWithinTheLargestRender) {
  const struct {
    bool useDpi;
    LONG dpi, clientWidth, width, height, renderWidth;
    bool shrunk, dropped;
    LONG pelsPerMetre;
  } cases[] = {
      {false, 75, 400, 400, 300, 800, false, false, 3839},
      {true, 600, 400, 2034, 1525, 2034, true, true, 23622},
      {true, 75, 400, 307, 230, 614, false, false, 2953},
      {false, 75, 1018, 1018, 300, 1018, false, true, 3839},
      {true, 4800, 2000000, 2034, 0, 2034, true, true, 188976},  // no overflow: the height rounds to 0
  };
  for (const auto& c : cases) {
    CopyImageSettings s;
    s.useDpi = c.useDpi;
    s.dpi = c.dpi;
    s.screenWidth = 1024;
    s.supersample = true;
    const CopyImagePlan plan = PlanCopyImage(XSize(c.clientWidth, 300), s, 2034);
    SCOPED_TRACE(&c - cases);
    EXPECT_EQ(CSize(plan.bitmap), CSize(c.width, c.height));
    EXPECT_EQ(plan.render.cx, c.renderWidth);
    EXPECT_EQ(plan.shrunk, c.shrunk);
    EXPECT_EQ(plan.supersampleDropped, c.dropped);
    EXPECT_EQ(plan.pelsPerMetre, c.pelsPerMetre);
  }
}

TEST(ExportImageName, DropsTheSceneExtensionOfTheFileNameOnly) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\My.Scenes\\Chair.TVR", "C:\\My.Scenes\\Chair"},
      {"/home/u/Chair.old.tvr", "/home/u/Chair.old.tvr"},
      {"/home/u/.tvr", "/home/u/.tvr"},
      {"", "Untitled"},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultExportName(c.path, ".tvr", "Untitled").str(), c.name) << c.path;
}

}  // namespace
}  // namespace views_test
