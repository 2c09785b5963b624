// Test support for the dialogs: their application and scene, a status bar stand-in and user actions.
#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QTabBar>
#include <QTest>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/XMessageBox.h"
#include "document/DocumentTestSupport.h"
#include "platform/framework/Controls.h"
#include "platform/framework/Help.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/RunModal.h"
#include "platform/framework/Wnd.h"
#include "platform/win/QtTestApplication.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedColorDialogs.h"
#include "support/ScriptedMessageBoxes.h"

class RecordingStatusFrame final : public XMessageBoxFrame {
 public:
  RecordingStatusFrame() : previous_(SetMessageBoxFrameLookup(&Lookup)) { current_ = this; }
  ~RecordingStatusFrame() override {
    SetMessageBoxFrameLookup(previous_);
    current_ = nullptr;
  }

  HWND GetSafeHwnd() override { return nullptr; }
  void PushModalStatusCallback(XStatusCallback callback, void* argument) override {
    stack.emplace_back(callback, argument);
    deepest = std::max(deepest, stack.size());
  }
  void PopModalStatusCallback(XStatusCallback callback) override {
    ASSERT_FALSE(stack.empty());
    EXPECT_EQ(stack.back().first, callback);
    stack.pop_back();
  }
  void RegisterStatusCallback(HWND window, XStatusCallback, void* argument) override {
    registered[window] = argument;
  }
  void UnregisterStatusCallback(HWND window) override { EXPECT_EQ(registered.erase(window), 1u); }
  void SetStatusText(UINT id, const char*, COLORREF) override { promptId = id; }
  // What the status bar's idle work does: asks the top modal callback for the prompt.
  void Refresh() {
    if (!stack.empty()) stack.back().first(stack.back().second);
  }

  std::vector<std::pair<XStatusCallback, void*>> stack;
  std::map<HWND, void*> registered;
  std::size_t deepest = 0;
  UINT promptId = 0;

 private:
  static XMessageBoxFrame* Lookup() { return current_; }
  static inline RecordingStatusFrame* current_ = nullptr;
  XMessageBoxFrameLookup previous_;
};

inline QWidget* Control(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->GetWidget(); }

// The centre of control `id` in the client coordinates of `window`.
inline POINT CentreOf(CWnd& window, CWnd& owner, int id) {
  RECT r;
  owner.GetDlgItem(id)->GetWindowRect(&r);
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  window.ScreenToClient(&p);
  return p;
}

inline void Click(CWnd& dialog, int id) { QTest::mouseClick(Control(dialog, id), Qt::LeftButton); }

// A key on control `id`; the notifications it queues are delivered.
inline void Press(CWnd& dialog, int id, Qt::Key key) {
  QTest::keyClick(Control(dialog, id), key);
  QCoreApplication::processEvents();
}

// Replaces the text of edit `id` as typing does.
inline void Type(CWnd& dialog, int id, const char* text) {
  QWidget* edit = Control(dialog, id);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

inline std::string TextOf(CWnd& page, int id) {
  CString text;
  page.GetDlgItem(id)->GetWindowText(text);
  return text.str();
}
inline bool Checked(CWnd& page, int id) { return static_cast<CButton*>(page.GetDlgItem(id))->GetCheck() != 0; }
inline int SliderPos(CWnd& page, int id) { return static_cast<CSliderCtrl*>(page.GetDlgItem(id))->GetPos(); }

// Brings up page `index` of a property sheet's window as a click on its tab does.
inline void ClickTab(QWidget* window, int index) {
  auto* tabs = window->findChild<QTabBar*>();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

// Runs `dialog` modally; `user` acts on its window, then `button` is clicked.
template <class Dialog>
void RunThenPress(Dialog& dialog, const std::function<void(QDialog*)>& user, int button = IDOK) {
  RunModal([&] { return dialog.DoModal(); },
           [&](QDialog* window) {
             user(window);
             Click(dialog, button);
           });
}

// The application first, with the program's input filter and the C locale.
struct DialogApp {
  DialogApp() {
    InstallInputFilter();
    QLocale::setDefault(QLocale::c());
  }
  QtTestApplication qt;
};

// A dialog of a new scene, with scripted message boxes and colour dialogs.
struct SceneDialogTest : DialogApp, document_test::SceneFixture {
  int Records() { return doc.GetHistory().GetCount(); }
  ScriptedMessageBoxes boxes;
  ScriptedColorDialogs colours;
};
