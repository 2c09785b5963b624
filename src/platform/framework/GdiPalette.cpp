#include "platform/framework/GdiPalette.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

#include "platform/ddraw/Display.h"

BOOL CPalette::CreatePalette(const LOGPALETTE* logPalette) {
  if (!logPalette || logPalette->palVersion != 0x300 || logPalette->palNumEntries == 0 ||
      logPalette->palNumEntries > 256)
    return FALSE;
  count_ = logPalette->palNumEntries;
  std::copy_n(logPalette->palPalEntry, count_, entries_.begin());
  created_ = true;
  return TRUE;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
  if (start >= count_) return 0;
  count = std::min(count, count_ - start);
  std::copy_n(entries_.begin() + start, count, entries);
  return count;
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
  CPalette* previous = palette_;
  palette_ = palette;
  foreground_ = !forceBackground;
  return previous;
}

UINT CDC::RealizePalette() {
  // Only a window's foreground palette on an 8-bit display changes what the display shows.
  if (!palette_ || !foreground_ || !widget_ || DDDisplayBitsPerPixel() != 8) return 0;
  PALETTEENTRY display[256], wanted[256];
  DDGetDisplayPalette(display);
  const UINT count = palette_->GetPaletteEntries(0, 256, wanted);
  UINT changed = 0;
  for (UINT i = 0; i < count; ++i) {
    if (wanted[i].peFlags & PC_EXPLICIT) continue;
    const PALETTEENTRY& now = display[i];
    if (now.peRed == wanted[i].peRed && now.peGreen == wanted[i].peGreen && now.peBlue == wanted[i].peBlue) continue;
    display[i] = {wanted[i].peRed, wanted[i].peGreen, wanted[i].peBlue, 0};
    ++changed;
  }
  if (!changed) return 0;
  DDSetDisplayPalette(0, 256, display);
  // Every window shows its pixels through the display's palette: they all change colour.
  for (QWidget* window : QApplication::topLevelWidgets()) window->update();
  return changed;
}
