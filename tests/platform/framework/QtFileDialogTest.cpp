#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "platform/framework/QtFileDialog.h"
#include "platform/win/MessageBox.h"
#include "platform/win/QtTestApplication.h"
#include "support/TemporaryFolder.h"

namespace {

// Runs the dialog; `answer` acts on it once it is open.
std::optional<std::string> RunAndAnswer(FileDialogRequest request,
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
                                  {{"Tavrolin files (*.tvr)", "*.tvr"}, {"All files (*.*)", "*.*"}}, 1, 0x1806, "", {}};

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

namespace {

// Picking another type gives typed names that type's extension, as the program's hook says.
class TypedSaveDialog : public CFileDialog {
 public:
  TypedSaveDialog() : CFileDialog(FALSE, "scene", OFN_HIDEREADONLY, "Tavrolin files (*.tvr)|*.tvr|Bitmap images (*.bmp)|*.bmp||") {}
  void OnTypeChange() override { SetDefExt(m_ofn.nFilterIndex == 2 ? "bmp" : "tvr"); }
};

TEST(QtFileDialog, TheTypePickedSetsTheExtensionAndIsReportedAfterwards) {
  QtTestApplication app;
  TemporaryFolder folder;
  QtFileDialogBackend backend;
  FileDialogBackend* previous = SetFileDialogBackend(&backend);
  TypedSaveDialog dialog;
  const std::string where = folder.Path();
  dialog.m_ofn.lpstrInitialDir = where.c_str();
  dialog.m_ofn.lpstrDefExt = "tvr";
  QTimer::singleShot(0, [] {
    auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->defaultSuffix(), "tvr");
    auto* types = shown->findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);  // the user picks the bitmaps
    EXPECT_EQ(shown->defaultSuffix(), "bmp");
    static_cast<QDialog*>(shown)->accept();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u);
  EXPECT_EQ(dialog.GetFileName(), "scene.bmp");
  EXPECT_EQ(dialog.GetFileExt(), "bmp");
  EXPECT_EQ(dialog.GetPathName(), (folder / "scene.bmp").c_str());
  SetFileDialogBackend(previous);
}

}  // namespace
