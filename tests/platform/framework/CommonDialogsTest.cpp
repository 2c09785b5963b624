// The colour and file dialogs, through the program's calls and through Qt's dialogs.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "platform/framework/QtColorDialog.h"
#include "platform/framework/QtFileDialog.h"
#include "platform/win/MessageBox.h"
#include "platform/win/QtTestApplication.h"
#include "support/ScriptedColorDialogs.h"
#include "support/TemporaryFolder.h"

namespace {

TEST(CColorDialog, StartsFromTheColourGivenAndSharesTheCustomColoursForTheRun) {
  EXPECT_EQ(CColorDialog().DoModal(), IDCANCEL);  // no backend: nothing to show
  ScriptedColorDialogs dialogs;
  CColorDialog first(RGB(10, 20, 30));
  EXPECT_EQ(first.m_cc.Flags & CC_RGBINIT, CC_RGBINIT);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(first.m_cc.lpCustColors[i], 0xFFFFFFu) << i;
  dialogs.Answer({RGB(1, 2, 3)});
  first.m_cc.lpCustColors[5] = RGB(9, 9, 9);  // as a user adds a custom colour
  EXPECT_EQ(first.DoModal(), IDOK);
  EXPECT_EQ(first.GetColor(), RGB(1, 2, 3));

  CColorDialog black(0);
  EXPECT_EQ(black.m_cc.Flags & CC_RGBINIT, 0u);
  EXPECT_EQ(black.m_cc.lpCustColors[5], RGB(9, 9, 9));
  EXPECT_EQ(black.DoModal(), IDCANCEL);
  EXPECT_EQ(black.GetColor(), 0u);
  black.m_cc.lpCustColors[5] = 0xFFFFFF;
}

// Acts on the modal dialog of type D once it is open.
template <class D>
void WhenOpen(const std::function<void(D*)>& act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(dialog);
  });
}

TEST(QtColorDialog, OpensAtTheStartColourAndKeepsCustomColoursTheUserSets) {
  QtTestApplication app;
  QtColorDialogBackend backend;
  ColorDialogBackend* previous = SetColorDialogBackend(&backend);
  CColorDialog dialog(RGB(200, 100, 50));
  WhenOpen<QColorDialog>([](QColorDialog* shown) {
    EXPECT_EQ(shown->currentColor(), QColor(200, 100, 50));
    shown->setCurrentColor(QColor(0, 128, 255));
    QColorDialog::setCustomColor(3, QColor(1, 2, 3));
    shown->accept();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(0, 128, 255));
  EXPECT_EQ(dialog.m_cc.lpCustColors[3], RGB(1, 2, 3));
  dialog.m_cc.lpCustColors[3] = 0xFFFFFF;
  SetColorDialogBackend(previous);
}

// Picking another type gives typed names that type's extension, as the program's hook says.
class TypedSaveDialog : public CFileDialog {
 public:
  TypedSaveDialog() : CFileDialog(FALSE, "scene", OFN_HIDEREADONLY, "Tavrolin files (*.tvr)|*.tvr|Bitmap images (*.bmp)|*.bmp||") {}
  void OnTypeChange() override { SetDefExt(m_ofn.nFilterIndex == 2 ? "bmp" : "tvr"); }
};

TEST(QtFileDialog, ShowsTheRequestReturnsTheFileChosenAndTheTypePicked) {
  QtTestApplication app;
  TemporaryFolder folder;
  std::ofstream(folder / "chair.ulm") << "x";
  FileDialogRequest request{true, "Where is the file chair.ulm?", folder.Path(), "",
                                  {{"Tavrolin files (*.tvr)", "*.tvr"}, {"All files (*.*)", "*.*"}}, 1, 0x1806, "", {}};
  QtFileDialogBackend backend;
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Where is the file chair.ulm?");
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), folder.Path());
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Tavrolin files (*.tvr)", "All files (*)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), "All files (*)");
    dialog->selectFile(QString::fromStdString(folder / "chair.ulm"));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(backend.Run(request), folder / "chair.ulm");
  WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(backend.Run(request), std::nullopt);

  // A save dialog whose type the user changes.
  FileDialogBackend* previous = SetFileDialogBackend(&backend);
  TypedSaveDialog dialog;
  dialog.m_ofn.lpstrInitialDir = request.initialFolder.c_str();
  dialog.m_ofn.lpstrDefExt = "tvr";
  WhenOpen<QFileDialog>([](QFileDialog* shown) {
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
