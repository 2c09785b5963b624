// A stand-alone application whose scenes open in real camera windows inside a main frame.
#pragma once

#include <QApplication>
#include <cstdlib>

#include "shell/DocTemplates.h"
#include "shell/XAppDocumentServices.h"
#include "shell/XMainFrame.h"
#include "views/StandAloneApp.h"
#include "views/X3DView.h"

class WindowedApp : public StandAloneApp {
 public:
  explicit WindowedApp(int interactiveMode = 0) : StandAloneApp(interactiveMode), windows(*this) {
    if (!QApplication::instance()) {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
      qt = new QApplication(argc, argv);
    }
    RegisterCameraViewClass(RUNTIME_CLASS(X3DView));
    CreateDocTemplates();
    // The camera windows report their prompts to the main frame's status bar.
    auto* frame = new XMainFrame;
    frame->LoadFrame(57344);
    m_pMainWnd = frame;
  }
  ~WindowedApp() override {
    if (m_pMainWnd) m_pMainWnd->DestroyWindow();
    delete qt;
  }

  // Closes every window of `doc` (before a document that failed to read goes).
  static void CloseWindows(XDocument& doc) {
    for (CFrameWnd* frame : doc.GetFrames()) frame->DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  BOOL OpenFirstCameraWindow(XDocument& doc) override { return windows.OpenFirstCameraWindow(doc); }
  void SerializeWindows(XDocument& doc, CArchive& ar) override { windows.SerializeWindows(doc, ar); }
  int FindDocTemplate(CView* view) override { return windows.FindDocTemplate(view); }
  void SerializeFrameLayout(CFrameWnd& frame, XDocument& doc, CArchive& ar) override {
    windows.SerializeFrameLayout(frame, doc, ar);
  }
  CFrameWnd& CreateFrame(XDocument& doc, int index) override { return windows.CreateFrame(doc, index); }
  void InitialUpdateFrame(XDocument& doc, int index, CFrameWnd& frame) override {
    windows.InitialUpdateFrame(doc, index, frame);
  }
  Ptr<PtrMyself> GetFrameMyself(CFrameWnd& frame) override { return windows.GetFrameMyself(frame); }
  CFrameWnd* FrameOf(const Ptr<PtrMyself>& handle) override { return windows.FrameOf(handle); }

 private:
  int argc = 1;
  char name[8] = "tavroln";
  char* argv[2] = {name, nullptr};
  QApplication* qt = nullptr;
  XAppDocumentServices windows;
};
