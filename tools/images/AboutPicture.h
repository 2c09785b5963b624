// The About box's picture: a small scene of simple shapes on a ground grid under a sky, drawn the
// way the program draws (flat colours with cartoon outlines), with the program's name.
#pragma once

class QPainter;

namespace images {

inline constexpr int kAboutWidth = 500;
inline constexpr int kAboutHeight = 300;

// Draws on a kAboutWidth x kAboutHeight canvas; the strip along the bottom left stays quiet for
// the version line the dialog puts there.
void DrawAboutPicture(QPainter& p);

}  // namespace images
