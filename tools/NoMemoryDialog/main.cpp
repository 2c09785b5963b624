// Tells the user that Tavrolin is short of memory. Tavrolin starts this separate program because
// it cannot be sure of having the memory to show a window of its own at that moment.
#include <QApplication>
#include <QMessageBox>

#include "platform/win/StringResources.h"
#include "resources/ProgramResources.h"

int main(int argc, char** argv) {
  RegisterProgramResources();
  QApplication app(argc, argv);
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(FindStringResource(57344)),
                  QStringLiteral("Tavrolin is running low on memory.\n\n"
                                 "Save your work, then close scenes or other programs you do not need. "
                                 "Tavrolin goes on once enough memory is free."),
                  QMessageBox::Ok);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
  return 0;
}
