#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTimer>
#include <fstream>
#include <functional>

#include "platform/framework/QtFileDialog.h"
#include "platform/win/QtTestApplication.h"
#include "support/TemporaryFolder.h"

namespace {

// Runs the dialog; `answer` acts on it once it is open.
std::optional<std::string> RunAndAnswer(const FileDialogRequest& request,
                                        const std::function<void(QFileDialog*)>& answer) {
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(dialog);
  });
  return QtFileDialogBackend().Run(request);
}

TEST(QtFileDialog, ShowsTheRequestAndReturnsTheFileChosen) {
  QtTestApplication app;
  TemporaryFolder folder;
  std::ofstream(folder / "chair.ulm") << "x";
  const FileDialogRequest request{true, "Where is the file chair.ulm?", folder.Path(), "",
                                  {{"Tavrolin files (*.tvr)", "*.tvr"}, {"All files (*.*)", "*.*"}}, 1, 0x1806};

  std::optional<std::string> chosen = RunAndAnswer(request, [&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Where is the file chair.ulm?");
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), folder.Path());
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Tavrolin files (*.tvr)", "All files (*)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), "All files (*)");
    dialog->selectFile(QString::fromStdString(folder / "chair.ulm"));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(chosen, folder / "chair.ulm");

  EXPECT_EQ(RunAndAnswer(request, [](QFileDialog* dialog) { dialog->reject(); }), std::nullopt);
}

}  // namespace
