// Opens arbitrary bytes as a scene file, paints its camera windows at the size they were stored
// with, then undoes every record and redoes them all through Edit/Undo and Edit/Redo, handling
// what each step posts (an improved window renders again). Then Edit Object's and Edit Camera's
// pages open on what is selected and are OKed: they show what the history left. A failed step may
// revert the scene (here: close it, as it has no file); every other way out is a finding.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdint>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "core/Preferences.h"
#include "scene_file/SceneFileApp.h"
#include "views/X3DView.h"

namespace {

// The lowest object quality the preferences offer: textures are read at an eighth of their size,
// which keeps an input fast, while the qualities a file gives its objects still vary.
constexpr long kLowestQualityBias = -3;

void UseTheLowestObjectQuality() {
  long bias = kLowestQualityBias;
  XWritePref(XPref::OBJECT_QUALITY_BIAS.section, XPref::OBJECT_QUALITY_BIAS.key, &bias);
  InitGlobals();
}

// Paints every window as the screen would: at its client size, through its own device context.
void PaintWindows(XDocument& doc) {
  for (POSITION pos = doc.GetFirstViewPosition(); pos;)
    static_cast<X3DView*>(doc.GetNextView(pos))->RenderImage(nullptr, TRUE, nullptr, nullptr);
}

// What the program would handle next: posted commands, repaints and closed windows.
void HandleEvents() { QApplication::processEvents(); }

// Steps through the history with a command for as long as it can; a step that moves nothing (or
// that closed the scene) ends it.
template <class Command>
void StepAll(XDocument& doc, bool (EditHistory::*can)() const, Command command) {
  const EditHistory& history = doc.GetHistory();
  while ((history.*can)()) {
    const int before = history.GetModIndex();
    (doc.*command)();
    HandleEvents();
    if (history.GetModIndex() == before) return;
  }
}

// Clicks `caption` on the modal window that is up.
bool Press(const char* caption) {
  auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (!window || !window->isVisible()) return false;
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
    if (button->text() == caption) {
      button->click();
      return true;
    }
  return false;
}

// Sends `command` to the first window; the sheet it opens is OKed, or cancelled when a page
// refuses what it holds.
void OpenAndOk(XDocument& doc, UINT command) {
  POSITION pos = doc.GetFirstViewPosition();
  if (!pos) return;
  CView* view = doc.GetNextView(pos);
  int presses = 0;
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    if (Press(presses == 0 ? "OK" : "Cancel")) ++presses;
  });
  user.start(0);
  view->SendMessage(WM_COMMAND, command);
  user.stop();
  HandleEvents();
}

// Edit Object (General, Artistic) and Edit Camera (General, Focus, Lens).
constexpr UINT kSheetCommands[] = {33137, 10302, 33120, 2103, 2104};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SceneFileApp& app = FuzzSceneFileApp();
  static const bool setUp = (UseTheLowestObjectQuality(), true);
  (void)setUp;
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  if (ReadSceneBytes(data, size, doc)) {
    PaintWindows(doc);
    StepAll(doc, &EditHistory::CanUndo, &XDocument::OnEditUndo);
    StepAll(doc, &EditHistory::CanRedo, &XDocument::OnEditRedo);
    for (UINT command : kSheetCommands) OpenAndOk(doc, command);
    PaintWindows(doc);
  }
  app.CloseWindows(doc);
  return 0;
}
