// Qt keeps a window's place on the screen as the window system last told it. Under a window
// manager that puts a newly shown window into a frame of its own, one such notice can give the
// window's place inside that frame (the screen's corner) while the X server keeps the window where
// it was put, and none comes after it to set that right. Everything that maps between the
// window's and the screen's coordinates (a hit test of the mouse's place) is then off by as much
// until the window moves again. The mouse's own events tell the truth: each carries its place on
// the screen and in the window, as the window system measured both.
#pragma once

class QWidget;

// From now on, whenever `window` is a window of its own, the mouse entering it or moving over it
// with no button held sets Qt's record of its place right when that is off.
void KeepTrueWindowPlace(QWidget* window);
