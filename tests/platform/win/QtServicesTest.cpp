#include <gtest/gtest.h>

#include <QClipboard>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <cstring>
#include <functional>
#include <vector>

#include "QtTestApplication.h"
#include "platform/win/Clipboard.h"
#include "platform/win/QtMessageBox.h"
#include "platform/win/QtPlatform.h"
#include "platform/win/SystemInfo.h"

namespace {

QMessageBox* OpenBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

QAbstractButton* ButtonNamed(QMessageBox* box, const QString& text) {
  for (QAbstractButton* b : box->buttons())
    if (b->text() == text) return b;
  return nullptr;
}

// Runs `answer` on the box once it is open and returns what Show gave; closes a box left open.
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
  QObject watchdog;  // its timer ends with this call
  QTimer::singleShot(10000, &watchdog, [] {
    ADD_FAILURE() << "the box stayed open";
    if (QMessageBox* box = OpenBox()) box->done(0);
  });
  return backend.Show(owner, text, caption, style);
}

TEST(QtMessageBox, ShowsTheStyleAndAnswersWithTheButtonClickedOrTheKeyPressed) {
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
                               const Qt::WindowFlags flags = box->windowFlags();
                               EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
                               EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
                               ASSERT_EQ(box->buttons().size(), 3);
                               ASSERT_NE(box->defaultButton(), nullptr);
                               EXPECT_EQ(box->defaultButton()->text(), "&No");

                               // Help and F1 ask the owner; Esc and closing do nothing without Cancel.
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

  // Enter takes the default button, Esc the Cancel button or the only one.
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

// Undoes InstallQtPlatform at the end of a test.
struct QtPlatformInstalled {
  QtPlatformInstalled() { InstallQtPlatform(); }
  ~QtPlatformInstalled() {
    SetMessageBoxBackend(nullptr);
    SetSystemInfo(nullptr);
    SetClipboard(nullptr);
  }
};

// Desktop settings are followed live; the clipboard empties and offers a bitmap as file and image.
TEST(QtPlatform, SystemInfoFollowsTheDesktopAndTheClipboardTakesBitmaps) {
  {
    QtTestApplication app;
    QtPlatformInstalled installed;
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(321);
    QGuiApplication::styleHints()->setStartDragDistance(6);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(10, 20, 30));
    QToolTip::setPalette(palette);

    EXPECT_EQ(GetDoubleClickTime(), 321u);
    EXPECT_EQ(GetSystemMetrics(SM_CXDRAG), 12);
    EXPECT_EQ(GetSystemMetrics(SM_CYDRAG), 12);
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(10, 20, 30));
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(654);
    EXPECT_EQ(GetDoubleClickTime(), 654u);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), QGuiApplication::primaryScreen()->geometry().width());

    QGuiApplication::clipboard()->setText(QStringLiteral("copied"));
    ASSERT_EQ(QGuiApplication::clipboard()->text(), "copied");
    ASSERT_EQ(OpenClipboard(nullptr), TRUE);
    EXPECT_EQ(EmptyClipboard(), TRUE);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    // A 2 x 1 bitmap at 3780 dots per metre: a blue pixel, a red one, two bytes of padding.
    const BYTE dib[48] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                          0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof dib);
    std::memcpy(GlobalLock(block), dib, sizeof dib);
    GlobalUnlock(block);
    EXPECT_EQ(SetClipboardData(CF_DIB, block), block);
    EXPECT_EQ(CloseClipboard(), TRUE);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray file = data->data("image/bmp");
    ASSERT_EQ(file.size(), 14 + 48);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(file.mid(14), QByteArray(reinterpret_cast<const char*>(dib), sizeof dib));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(1, 0) & 0xFFFFFF, 0xFF0000u);
  }
  // Without an application neither the clipboard nor a message box can be used.
  QtPlatformInstalled withoutApplication;
  EXPECT_EQ(OpenClipboard(nullptr), FALSE);
  EXPECT_EQ(QtMessageBoxBackend().Show(nullptr, "text", "caption", MB_OK), 0);
}

// A window closed from inside an event is deleted later; a test's application takes it along
// rather than leaving it to the next test's event loop.
TEST(QtTestApplication, AWindowDeletedLaterFromAnEventGoesWithTheTestsApplication) {
  QPointer<QWidget> window;
  {
    QtTestApplication app;
    window = new QWidget;
    QTimer::singleShot(0, window, [&] { window->deleteLater(); });
    QApplication::processEvents();
    EXPECT_TRUE(window);  // not in the loop that handled the event
  }
  EXPECT_FALSE(window);
}

}  // namespace
