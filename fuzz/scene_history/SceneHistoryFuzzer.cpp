// Opens arbitrary bytes as a scene file, paints its camera windows at the size they were stored
// with, then undoes every record and redoes them all through Edit/Undo and Edit/Redo. A failed
// step may revert the scene (here: close it, as it has no file); every other way out is a finding.
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

// Steps through the history with a command for as long as it can; a step that moves nothing (or
// that closed the scene) ends it.
template <class Command>
void StepAll(XDocument& doc, bool (EditHistory::*can)() const, Command command) {
  const EditHistory& history = doc.GetHistory();
  while ((history.*can)()) {
    const int before = history.GetModIndex();
    (doc.*command)();
    if (history.GetModIndex() == before) return;
  }
}

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
    PaintWindows(doc);
  }
  app.CloseWindows(doc);
  return 0;
}
