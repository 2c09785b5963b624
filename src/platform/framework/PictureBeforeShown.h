// On X11 a window just mapped shows whatever was on the screen under it (black on a bare desktop)
// until the event loop gets round to painting it, which takes long while start-up work runs. A
// window about to be shown can hand its picture to the X server first, as the window's
// background: the server then shows that picture from the first moment.
#pragma once

class QWidget;

// Renders top-level `window` and makes the picture its X background. Nothing elsewhere than X11.
void PaintBeforeShown(QWidget* window);
