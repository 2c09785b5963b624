// Files the user names that the program cannot use, through File/Open, File/Import, a drop from
// the 3D Objects window and the files a scene names: each is told about and changes nothing.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QAbstractButton>
#include <QScreen>

#include "platform/framework/PrimarySurfacePresenter.h"
#include "platform/framework/RunModal.h"
#include "shell/ObjectDropTarget.h"
#include "support/FatalCheck.h"
#include "views/DibBytes.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

const std::string kTriangle = "xof 0302txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
const std::string kDamaged = "The following file is either:";

// A FIFO at `path` that hands `bytes` once to each reader that opens it, for as long as it lives,
// and counts them. A program that reads it as a file gets the bytes (and does not wait for ever);
// one that refuses it unopened leaves the writer waiting and uncounted. No writer waits beyond its
// life: going, it opens the FIFO itself.
class ServedFifo {
 public:
  ServedFifo(std::string path, std::string bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {
    EXPECT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    writer_ = std::thread([this] {
      writerId_ = static_cast<pid_t>(::syscall(SYS_gettid));
      Serve();
    });
    WaitUntilTheWriterWaits();
  }
  ~ServedFifo() { Stop(); }
  ServedFifo(const ServedFifo&) = delete;
  ServedFifo& operator=(const ServedFifo&) = delete;

  // Ends the writer; the readers it was opened by, its own closing one aside.
  int Stop() {
    if (writer_.joinable()) {
      stop_ = true;
      const int reader = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
      writer_.join();
      if (reader >= 0) ::close(reader);
    }
    return readers_;
  }

 private:
  void Serve() {
    // A reader that closes early makes writes fail with EPIPE rather than end the tests.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    while (!stop_) {
      // Waits for a reader; one that opens without waiting and goes again still ends the wait.
      const int fd = ::open(path_.c_str(), O_WRONLY);
      if (fd < 0) return;
      if (!stop_) ++readers_;
      for (std::size_t at = 0; !stop_ && at < bytes_.size();) {
        const ssize_t n = ::write(fd, bytes_.data() + at, bytes_.size() - at);
        if (n <= 0) break;
        at += static_cast<std::size_t>(n);
      }
      ::close(fd);  // the reader sees the end
      WaitUntilUnread();
    }
  }
  // A reader that came and went before the writer reached its open would go unseen: this waits
  // until the system shows the writer's thread inside its open.
  void WaitUntilTheWriterWaits() const {
    while (writerId_ == 0) std::this_thread::yield();
    const std::string call = "/proc/self/task/" + std::to_string(writerId_) + "/syscall";
    for (;;) {
      std::ifstream shown(call);
      if (!shown) return;  // no way to tell
      long number = -1;
      if (shown >> number && number == SYS_openat) return;
      std::this_thread::yield();
    }
  }
  // Serving again while the reader is still there would hand it a second copy.
  void WaitUntilUnread() const {
    while (!stop_) {
      const int probe = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);  // fails while nobody reads
      if (probe < 0) return;
      ::close(probe);
      std::this_thread::yield();
    }
  }

  std::string path_, bytes_;
  std::atomic<bool> stop_{false};
  std::atomic<pid_t> writerId_{0};
  int readers_ = 0;  // written by the writer only, read after it ends
  std::thread writer_;
};

// The bytes of a 1 x 1 bitmap file.
std::string PixelBitmap() {
  std::vector<BYTE> file(kBitmapFileHeaderSize + DibSize(1, 1), 0xFF);
  WriteBitmapFileHeader(file.data(), DibSize(1, 1));
  WriteBitmapInfoHeader(file.data() + kBitmapFileHeaderSize, 1, 1, 0, 0);
  return {file.begin(), file.end()};
}

// A one-triangle model whose face wears the texture `name`.
std::string TexturedTriangle(const std::string& name) {
  return "xof 0302txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
         "MeshTextureCoords { 3; 0;0;, 1;0;, 0;1;; }\nMeshMaterialList { 1; 1; 0;;\n"
         "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"" + name + "\"; } } } }\n";
}

std::vector<std::string> Texts(const ScriptedMessageBoxes& boxes) {
  std::vector<std::string> texts;
  for (const auto& box : boxes.boxes) texts.push_back(box.text);
  return texts;
}

// The damaged-file message naming `path`.
bool TellsDamaged(const std::string& text, const std::string& path) {
  return text.rfind(kDamaged, 0) == 0 && text.find("\n\n" + path + "\n\n") != std::string::npos;
}

// An exporter's mesh without vertices or faces is no object: File/Import and a drop say so and
// add nothing; a scene naming a file that became one tells that the file is unusable and stays
// shut, as it does for any damaged object file.
TEST_F(SceneWindows, AnXFileWhoseMeshIsEmptyIsRefusedByImportDropAndTheSceneNamingIt) {
  Key(Qt::Key_N);
  ScriptedFileDialogs dialogs;
  const std::string model = folder / "model.x";
  std::ofstream(model) << kTriangle;
  dialogs.Answer({model});
  Key(Qt::Key_I);
  ASSERT_TRUE(boxes.boxes.empty());
  const std::string scene = Save(Scene());
  std::ofstream(model) << "xof 0302txt 0032\nMesh Exported {\n 0;;\n 0;;\n}\n";
  Scene().OnCloseDocument();
  Key(Qt::Key_N);
  XDocument& open = Scene();
  const int groups = open.GetScene()->GetGroups().GetCount();

  const std::string noObject = "This DirectX file does not contain any 3D objects.\n\n" + model;
  const struct {
    const char* how;
    std::function<void()> act;
    bool sceneOpens;
  } cases[] = {
      {"File/Import", [&] { dialogs.Answer({model}); Key(Qt::Key_I); }, false},
      // What a drop from the 3D Objects window hands the camera window under it.
      {"dropped from the 3D Objects window",
       [&] { static_cast<ObjectDropTarget*>(Views(open).at(0))->ImportFile(model.c_str()); }, false},
      {"named by a scene opened with File/Open", [&] { dialogs.Answer({scene}); Key(Qt::Key_O); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    boxes.boxes.clear();
    c.act();
    const std::vector<std::string> texts = Texts(boxes);
    ASSERT_EQ(texts.size(), 1u);
    if (c.sceneOpens) EXPECT_TRUE(TellsDamaged(texts[0], model)) << texts[0];
    else EXPECT_EQ(texts[0], noObject);
    EXPECT_EQ(app.CountOpenScenes(), 1);
    EXPECT_EQ(&Scene(), &open);
    EXPECT_EQ(open.GetScene()->GetGroups().GetCount(), groups);
  }
}

// A square of side `side` in the plane at height `z`: two triangles, no normals.
std::string Square(const std::string& side, const std::string& z) {
  const std::string end = ";" + z + ";";
  return "xof 0302txt 0032\nMesh { 4; 0;0" + end + ", " + side + ";0" + end + ", " + side + ";" + side + end +
         ", 0;" + side + end + "; 2; 3;0,1,2;, 3;0,2,3;; }\n";
}

// Imports bring a small object up to a few centimetres, scaled about the origin. Squares down to
// 1e-39 can be brought there in single precision: they import and every window of the scene paints
// them. Smaller ones cannot, nor can a small one far from the origin: File/Import tells that the
// file is unusable and the scene stays as it was. None ends the program.
TEST_F(SceneWindows, TinyXMeshesImportWhileSinglePrecisionCanSizeThemAndAreRefusedBelow) {
  Key(Qt::Key_N);
  Key(Qt::Key_R);  // Window/Front, Top, Left
  XDocument& doc = Scene();
  ASSERT_EQ(Views(doc).size(), 4u);
  ScriptedFileDialogs dialogs;
  const struct {
    const char* side;
    const char* z;
    bool imports;
  } cases[] = {{"1e-30", "0", true},  {"1e-35", "0", true},  {"1e-38", "0", true},  {"1e-39", "0", true},
               {"1e-40", "0", false}, {"1e-42", "0", false}, {"1e-44", "0", false}, {"1e-45", "0", false},
               {"1e-39", "1e-33", true}, {"1e-39", "100", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.side) + " at " + c.z);
    const std::string model = folder / (std::string("square ") + c.side + " at " + c.z + ".x");
    std::ofstream(model) << Square(c.side, c.z);
    boxes.boxes.clear();
    const int groups = doc.GetScene()->GetGroups().GetCount();
    std::string fatal;
    try {
      dialogs.Answer({model});
      Key(Qt::Key_I);
      QApplication::processEvents();  // every window paints
    } catch (const FatalCheckFailed& failure) {
      fatal = failure.report.expression;
    }
    ASSERT_EQ(fatal, "");
    const std::vector<std::string> texts = Texts(boxes);
    EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), groups + (c.imports ? 1 : 0));
    if (c.imports) EXPECT_TRUE(texts.empty()) << ::testing::PrintToString(texts);
    else EXPECT_TRUE(texts.size() == 1 && TellsDamaged(texts[0], model)) << ::testing::PrintToString(texts);
    for (X3DView* view : Views(doc)) EXPECT_FALSE(view->needsRender) << Caption(view) << " painted";
  }
}

// Only regular files are read. A FIFO (which would keep the open or the read waiting for a writer)
// and a device such as /dev/zero (which never ends) are files that cannot be opened, each told
// with the message for its kind of file, whether the user opens or imports it or a scene or a
// model names it.
TEST_F(SceneWindows, FilesThatAreNotRegularFilesCannotBeOpenedAndAreNeverWaitedOn) {
  Key(Qt::Key_N);
  ScriptedFileDialogs dialogs;
  const std::string pipeScene = folder / "pipe.tvr", pipeModel = folder / "pipe.x";
  const std::string pipePicture = folder / "pipe.bmp", texturedModel = folder / "textured.x";
  std::ofstream(texturedModel) << TexturedTriangle("pipe.bmp");
  // The scene saved with its window showing the background picture `path`.
  const auto sceneWithBackground = [&](const std::string& name, const char* path) {
    X3DView& camera = *Views(Scene()).at(0);
    camera.settings.backgroundImage = path != nullptr;
    camera.settings.backgroundImagePath = path ? path : "";
    const std::string saved = folder / name;
    EXPECT_TRUE(Scene().OnSaveDocument(saved.c_str()));
    return saved;
  };
  const std::string plain = sceneWithBackground("plain.tvr", nullptr);
  const std::string zeroBackground = sceneWithBackground("zero.tvr", "/dev/zero");
  const std::string pipeBackground = sceneWithBackground("background.tvr", pipePicture.c_str());
  Scene().OnCloseDocument();
  Key(Qt::Key_N);
  XDocument& open = Scene();
  int groups = open.GetScene()->GetGroups().GetCount();
  const views_test::Bytes sceneBytes = views_test::FileBytes(plain);
  ServedFifo scene(pipeScene, {sceneBytes.begin(), sceneBytes.end()});
  ServedFifo model(pipeModel, kTriangle), picture(pipePicture, PixelBitmap());

  const auto failedToOpen = [](const std::string& path) { return std::vector{"Failed to open document.\n\n" + path}; };
  const auto damaged = [](const std::string& path) {
    return [path](const std::vector<std::string>& texts) { return texts.size() == 1 && TellsDamaged(texts[0], path); };
  };
  const struct {
    const char* how;
    int key;
    std::string path;
    bool opensScene;
    int addsGroups;
    std::function<bool(const std::vector<std::string>&)> told;
  } cases[] = {
      {"File/Open of a FIFO", Qt::Key_O, pipeScene, false, 0,
       [&](const auto& texts) { return texts == failedToOpen(pipeScene); }},
      {"File/Open of /dev/zero", Qt::Key_O, "/dev/zero", false, 0,
       [&](const auto& texts) { return texts == failedToOpen("/dev/zero"); }},
      {"File/Import of a FIFO", Qt::Key_I, pipeModel, false, 0, damaged(pipeModel)},
      {"File/Import of a model whose texture is a FIFO", Qt::Key_I, texturedModel, false, 1,
       [&](const auto& texts) {
         return texts.size() == 1 && texts[0].rfind("Texture file not loaded.", 0) == 0 &&
                texts[0].find("\n\n" + pipePicture + "\n\n") != std::string::npos;
       }},
      {"a scene whose background picture is a FIFO", Qt::Key_O, pipeBackground, true, 0, damaged(pipePicture)},
      {"a scene whose background picture is /dev/zero", Qt::Key_O, zeroBackground, true, 0, damaged("/dev/zero")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    boxes.boxes.clear();
    dialogs.Answer({c.path});
    Key(c.key);
    QApplication::processEvents();  // a window tells after its paint what the paint could not use
    const std::vector<std::string> texts = Texts(boxes);
    EXPECT_TRUE(c.told(texts)) << ::testing::PrintToString(texts);
    EXPECT_EQ(app.CountOpenScenes(), c.opensScene ? 2 : 1);
    for (int closing = 0; &Scene() != &open && closing < 2; ++closing) Scene().OnCloseDocument();
    ASSERT_EQ(&Scene(), &open);
    groups += c.addsGroups;
    EXPECT_EQ(open.GetScene()->GetGroups().GetCount(), groups);
  }
  // Refused before it is opened, a FIFO never connects to the writer waiting at its other end.
  EXPECT_EQ(scene.Stop(), 0) << pipeScene;
  EXPECT_EQ(model.Stop(), 0) << pipeModel;
  EXPECT_EQ(picture.Stop(), 0) << pipePicture;
}

// Message boxes and file dialogs that let the program's events go on while they are up, as modal
// ones do, each noting whether a window was in its paint when it came up.
class ModalsDuringPaint final : public MessageBoxBackend, public FileDialogBackend {
 public:
  ModalsDuringPaint() : previousBoxes_(SetMessageBoxBackend(this)), previousDialogs_(SetFileDialogBackend(this)) {}
  ~ModalsDuringPaint() override {
    SetFileDialogBackend(previousDialogs_);
    SetMessageBoxBackend(previousBoxes_);
  }
  ModalsDuringPaint(const ModalsDuringPaint&) = delete;
  ModalsDuringPaint& operator=(const ModalsDuringPaint&) = delete;

  int Show(HWND owner, const char* text, const char* caption, UINT style) override {
    Up();
    return previousBoxes_->Show(owner, text, caption, style);
  }
  std::optional<std::string> Run(FileDialogRequest& request) override {
    Up();
    return previousDialogs_->Run(request);
  }

  std::vector<bool> duringPaint;

 private:
  void Up() {
    const QWidgetList widgets = QApplication::allWidgets();
    duringPaint.push_back(std::any_of(widgets.begin(), widgets.end(), [](QWidget* widget) {
      return widget->testAttribute(Qt::WA_WState_InPaintEvent);
    }));
    QApplication::processEvents();
  }

  MessageBoxBackend* previousBoxes_;
  FileDialogBackend* previousDialogs_;
};

// The Qt warnings about painting given while it lives.
class QtPaintWarnings {
 public:
  QtPaintWarnings() : previous_(qInstallMessageHandler(&Record)) { Texts().clear(); }
  ~QtPaintWarnings() { qInstallMessageHandler(previous_); }
  QtPaintWarnings(const QtPaintWarnings&) = delete;
  QtPaintWarnings& operator=(const QtPaintWarnings&) = delete;
  static std::vector<std::string>& Texts() {
    static std::vector<std::string> texts;
    return texts;
  }

 private:
  static void Record(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (text.contains("paint", Qt::CaseInsensitive)) Texts().push_back(text.toStdString());
  }
  QtMessageHandler previous_;
};

// What the window shows on the screen.
QImage Shown(CWnd& window) {
  QWidget* widget = window.GetWidget();
  QWidget* top = widget->window();
  const QRect area(widget->mapTo(top, QPoint(0, 0)), widget->size());
  return top->screen()->grabWindow(top->winId(), area.x(), area.y(), area.width(), area.height()).toImage();
}

// A new scene's Camera window with a chair dropped into it from the 3D Objects window.
X3DView& NewSceneWithAChair(SceneWindows& program) {
  program.Key(Qt::Key_N);
  X3DView& camera = *SceneWindows::Views(program.Scene()).at(0);
  camera.ImportFile(TAVROLIN_BINARY_DIR "/Objects/Chair.ulm");
  return camera;
}

// Edit Camera > General > Use image with a file that cannot be read as a picture, OK: the window
// paints the scene without a picture, and the damaged-file message comes once, after the paint
// rather than inside it.
TEST_F(SceneWindows, ABackgroundPictureThatCannotBeReadIsToldOnceAfterThePaintAndTheSceneShowsWithoutIt) {
  PrimarySurfacePresenter presenter;
  ScriptedFileDialogs dialogs;
  X3DView& camera = NewSceneWithAChair(*this);
  camera.Invalidate();
  QApplication::processEvents();
  const QImage withoutPicture = Shown(camera);
  ASSERT_NE(withoutPicture.pixel(0, 0), withoutPicture.pixel(withoutPicture.width() / 2, withoutPicture.height() / 2))
      << "the chair shows";

  const std::string pipe = folder / "pipe.bmp", damaged = folder / "damaged.bmp";
  const ServedFifo fifo(pipe, PixelBitmap());
  std::ofstream(damaged) << "BM but no picture";
  for (const std::string& path : {pipe, damaged}) {
    SCOPED_TRACE(path);
    boxes.boxes.clear();
    const QtPaintWarnings warnings;
    dialogs.Answer({path});
    ModalsDuringPaint modal;
    RunModal([&] { Key(Qt::Key_M); return 0; },  // Edit Camera
             [](QDialog* window) {
               for (const char* caption : {"Use image", "OK"})
                 for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
                   if (button->text() == caption) QTest::mouseClick(button, Qt::LeftButton);
             });
    QApplication::processEvents();
    ASSERT_TRUE(camera.settings.backgroundImage);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(TellsDamaged(boxes.boxes[0].text, path)) << boxes.boxes[0].text;
    EXPECT_EQ(modal.duringPaint, (std::vector<bool>{false, false}));  // the file dialog, the message
    EXPECT_EQ(Shown(camera), withoutPicture);
    // Later paints do not tell it again.
    camera.Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(Shown(camera), withoutPicture);
    for (const std::string& warning : QtPaintWarnings::Texts()) ADD_FAILURE() << warning;
    Key(Qt::Key_Z);
    ASSERT_FALSE(camera.settings.backgroundImage);
  }
}

// A scene whose background picture went away: the search for it comes once the window has painted,
// and the picture the user points to shows. Given up, the window shows the scene without it.
TEST_F(SceneWindows, TheSearchForAMissingBackgroundPictureComesAfterTheWindowsPaint) {
  PrimarySurfacePresenter presenter;
  ScriptedFileDialogs dialogs;
  X3DView& camera = NewSceneWithAChair(*this);
  const std::string picture = folder / "sky.bmp", moved = folder / "moved.bmp";
  std::ofstream(picture, std::ios::binary) << PixelBitmap();
  camera.settings.backgroundImage = TRUE;
  camera.settings.backgroundImagePath = picture.c_str();
  const std::string scene = Save(Scene());
  Scene().OnCloseDocument();
  std::filesystem::rename(picture, moved);

  const struct {
    const char* how;
    std::optional<std::string> answer;
    std::size_t boxes;  // the question whether to give up, and that it was
  } cases[] = {{"found", moved, 0}, {"given up", std::nullopt, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    boxes.boxes.clear();
    boxes.Answer({IDYES});
    dialogs.Answer({scene, c.answer});
    ModalsDuringPaint modal;
    Key(Qt::Key_O);
    QApplication::processEvents();  // the search after the paint
    QApplication::processEvents();  // the paint with what it found
    X3DView& opened = *Views(Scene()).at(0);
    EXPECT_EQ(modal.duringPaint, std::vector<bool>(2 + c.boxes, false));
    EXPECT_EQ(boxes.boxes.size(), c.boxes);
    EXPECT_EQ(opened.settings.backgroundImagePath.str(), c.answer.value_or(picture));
    const QImage shown = Shown(opened);
    opened.settings.backgroundImage = FALSE;
    opened.needsRender = TRUE;
    opened.Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(shown == Shown(opened), !c.answer) << "the picture shows";
    Scene().OnCloseDocument();
  }
}

}  // namespace
