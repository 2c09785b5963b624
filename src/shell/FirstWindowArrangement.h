// Where the first camera window of a new scene goes: with the Beginner toolbar hidden the
// Front, Top and Left windows join it; with it shown the windows are tiled and the new one is
// trimmed to the 35:24 shape of a photograph.
#pragma once

class XFrameWnd;

void ArrangeFirstCameraWindow(XFrameWnd& frame);
