#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "QtTestApplication.h"
#include "platform/win/QtMessageBox.h"

namespace {

QMessageBox* OpenBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

QAbstractButton* ButtonNamed(QMessageBox* box, const QString& text) {
  for (QAbstractButton* b : box->buttons())
    if (b->text() == text) return b;
  return nullptr;
}

// Runs `answer` on the box once it is open and returns what Show gave. A box the answer leaves
// open is closed after a while, so a failing test ends instead of waiting.
int ShowAndAnswer(QtMessageBoxBackend& backend, HWND owner, const char* text, const char* caption, UINT style,
                  const std::function<void(QMessageBox*)>& answer) {
  QTimer::singleShot(0, [&] {
    QMessageBox* box = OpenBox();
    EXPECT_NE(box, nullptr);
    if (!box) return;
    box->activateWindow();  // as the desktop does with a new box
    EXPECT_TRUE(QTest::qWaitForWindowActive(box));
    answer(box);
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    ADD_FAILURE() << "the box stayed open";
    if (QMessageBox* box = OpenBox()) box->done(0);
  });
  watchdog.start(10000);
  return backend.Show(owner, text, caption, style);
}

TEST(QtMessageBox, ShowsTheStyleAndAnswersWithTheButtonClicked) {
  QtTestApplication app;
  QWidget ownerWidget;
  HWND owner = reinterpret_cast<HWND>(&ownerWidget);
  QtMessageBoxBackend backend([&](HWND h) { return h == owner ? &ownerWidget : nullptr; });
  std::vector<HWND> helpAsked;
  SetMessageBoxHelpHook([&](HWND h) { helpAsked.push_back(h); });

  int result = ShowAndAnswer(backend, owner, "Keep <b>this</b>?\nSecond line", "Tavrolin",
                             MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION | MB_HELP | MB_TASKMODAL, [&](QMessageBox* box) {
                               EXPECT_EQ(box->windowTitle(), "Tavrolin");
                               EXPECT_EQ(box->text(), "Keep <b>this</b>?\nSecond line");
                               EXPECT_EQ(box->textFormat(), Qt::PlainText);
                               EXPECT_EQ(box->icon(), QMessageBox::Question);
                               EXPECT_EQ(box->parentWidget(), &ownerWidget);
                               EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
                               ASSERT_EQ(box->buttons().size(), 3);
                               ASSERT_NE(box->defaultButton(), nullptr);
                               EXPECT_EQ(box->defaultButton()->text(), "&No");

                               // Help asks the owner for help and leaves the box open, F1 too;
                               // Esc and closing do nothing where the buttons have no Cancel.
                               ButtonNamed(box, "Help")->click();
                               QTest::keyClick(box, Qt::Key_F1);
                               QTest::keyClick(box, Qt::Key_Escape);
                               box->close();
                               EXPECT_TRUE(box->isVisible());
                               ButtonNamed(box, "&Yes")->click();
                             });
  EXPECT_EQ(result, IDYES);
  EXPECT_EQ(helpAsked, (std::vector<HWND>{owner, owner}));
  SetMessageBoxHelpHook({});
}

TEST(QtMessageBox, EnterTakesTheDefaultAndEscTheCancelOrOnlyButton) {
  QtTestApplication app;
  QtMessageBoxBackend backend;
  auto press = [](Qt::Key key) { return [key](QMessageBox* box) { QTest::keyClick(box, key); }; };
  EXPECT_EQ(ShowAndAnswer(backend, nullptr, "No memory", nullptr, MB_ICONHAND | MB_SYSTEMMODAL,
                          [](QMessageBox* box) {
                            EXPECT_EQ(box->windowTitle(), "Error");
                            EXPECT_EQ(box->icon(), QMessageBox::Critical);
                            EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
                            QTest::keyClick(box, Qt::Key_Escape);
                          }),
            IDOK);
  EXPECT_EQ(ShowAndAnswer(backend, nullptr, "Go on?", "T", MB_OKCANCEL, press(Qt::Key_Escape)), IDCANCEL);
  EXPECT_EQ(ShowAndAnswer(backend, nullptr, "Timer?", "T", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, press(Qt::Key_Return)),
            IDIGNORE);
}

TEST(QtMessageBox, CannotShowWithoutAnApplication) {
  QtMessageBoxBackend backend;
  EXPECT_EQ(backend.Show(nullptr, "text", "caption", MB_OK), 0);
}

}  // namespace
