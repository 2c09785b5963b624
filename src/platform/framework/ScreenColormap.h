// Qt gives each X window it creates a colormap of its own, even on the screen's default visual. A
// reader of the whole screen that goes by colormaps (`xwd -root` and the tools built like it) then
// reads such windows apart from the screen and leaves every one but the first black, though a
// monitor shows them. On the screen's own visual the screen's default colormap holds the same
// colours, so the program's windows there take that one.
#pragma once

// From now on every X window of the application on its screen's root visual gets the screen's
// default colormap when it is created. Nothing elsewhere than X11.
void UseScreenColormaps();
// The same at once for one window made already: the filter behind UseScreenColormaps does not
// hear of every window being made (a drag image's goes unheard).
class QWindow;
void UseScreenColormap(QWindow* window);
