// The desktop cursor a cursor handle names (Cursors.h). Needs a QGuiApplication for the
// program's own images.
#pragma once

#include <QCursor>

#include "platform/win/WinTypes.h"

// The arrow for a null or unknown handle, and without a QGuiApplication.
QCursor CursorFromHandle(HCURSOR cursor);
