// Shows a dialog of the program's templates on the screen and saves a screenshot of it:
//   dialog_screenshot <template id> <file.png>
// Run under an X server (scripts/dialog-screenshot.sh starts one).
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/framework/DialogWidgets.h"
#include "resources/ProgramResources.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <template id> <file.png>\n", argv[0]);
    return 2;
  }
  QApplication app(argc, argv);
  RegisterProgramResources();
  const DialogTemplate* t = FindDialogTemplate(static_cast<UINT>(std::atoi(argv[1])));
  if (!t) {
    std::fprintf(stderr, "no dialog template %s\n", argv[1]);
    return 2;
  }
  std::unique_ptr<QDialog> dialog(CreateDialogWidget(*t, nullptr, {}));
  // Sample contents, so that every kind of control shows something.
  for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) edit->setText("640");
  for (QSlider* slider : dialog->findChildren<QSlider*>()) {
    slider->setRange(0, 1000);
    slider->setValue(300);
  }
  dialog->show();
  if (!QTest::qWaitForWindowExposed(dialog.get())) return 1;
  QTest::qWait(200);
  const QPixmap shot = dialog->screen()->grabWindow(dialog->winId());
  return shot.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
