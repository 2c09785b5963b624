// The pictures of the toolbar buttons and the program's icon, drawn in code on a canvas of
// 32 x 32 units that the caller scales to the image's size.
#pragma once

class QPainter;

namespace images {

inline constexpr double kCanvas = 32.0;

// False for a command without a picture.
bool DrawCommand(int command, QPainter& p);
void DrawProgramIcon(QPainter& p);

}  // namespace images
