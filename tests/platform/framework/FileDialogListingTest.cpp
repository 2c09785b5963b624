// The file dialog lists a folder from the entries' names and kinds alone: a kernel file such as
// /proc/kmsg, like a named pipe, blocks whoever reads it, and the dialog must answer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/framework/QtFileDialog.h"
#include "platform/win/QtTestApplication.h"
#include "support/TemporaryFolder.h"

namespace {

// The names of the folder's entries opened since `watch` began (closes the watch).
std::vector<std::string> OpenedEntries(int watch) {
  std::vector<std::string> opened;
  alignas(inotify_event) char buffer[4096];
  for (ssize_t length; (length = ::read(watch, buffer, sizeof buffer)) > 0;)
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && !(event->mask & IN_ISDIR)) opened.emplace_back(event->name);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  ::close(watch);
  return opened;
}

// Opens the pipe's other end, so that a reader of the pipe meets its end instead of waiting
// for good; released by the test once the dialog is closed.
class PipeWriter {
 public:
  explicit PipeWriter(std::string path)
      : path_(std::move(path)), thread_([this] {
          if (const int fd = ::open(path_.c_str(), O_WRONLY); fd >= 0) ::close(fd);
        }) {}
  ~PipeWriter() {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);  // lets the writer's open return
    thread_.join();
    if (fd >= 0) ::close(fd);
  }
  PipeWriter(const PipeWriter&) = delete;
  PipeWriter& operator=(const PipeWriter&) = delete;

 private:
  std::string path_;
  std::thread thread_;
};

TEST(FileDialogListing, AFolderIsListedWithTypesAndNoneOfItsFilesIsOpened) {
  QtTestApplication qt;
  TemporaryFolder folder;
  for (const char* name : {"scene.tvr", "picture.bmp", "notes.txt", "kmsg"}) std::ofstream(folder / name) << "BM text";
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  PipeWriter writer(folder / "pipe");
  const int watch = ::inotify_init1(IN_NONBLOCK);
  ASSERT_GE(::inotify_add_watch(watch, folder.Path().c_str(), IN_OPEN | IN_ACCESS), 0);

  FileDialogRequest request{true, "Open", folder.Path(), "", {{"All files (*.*)", "*.*"}}, 0, 0x1804, "", {}};
  QtFileDialogBackend backend;
  QStringList listed;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* model = dialog->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    const QModelIndex shown = model->index(QString::fromStdString(folder.Path()));
    // Listed once every entry has its type, as the dialog's details show it.
    const auto typed = [&] {
      if (model->rowCount(shown) != 4) return false;
      for (int row = 0; row < 4; ++row)
        if (model->type(model->index(row, 0, shown)).isEmpty()) return false;
      return true;
    };
    EXPECT_TRUE(QTest::qWaitFor(typed, 10000));
    for (int row = 0; row < model->rowCount(shown); ++row) listed << model->fileName(model->index(row, 0, shown));
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(backend.Run(request), std::nullopt);
  listed.sort();
  // Files only: a pipe is no document.
  EXPECT_EQ(listed.join(u' ').toStdString(), "kmsg notes.txt picture.bmp scene.tvr");
  EXPECT_EQ(OpenedEntries(watch), std::vector<std::string>{});
}

}  // namespace
