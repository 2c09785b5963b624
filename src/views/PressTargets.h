// What a press in a camera window acts on: the selection change of a click or double click, and
// the centre and grabbed point a drag starts from.
#pragma once

#include "core/XPtSzRect.h"
#include "platform/win/WinTypes.h"

class GroupSO;
class XDocument;

// The Edit/Object... command a double click on an object sends to its window.
constexpr UINT kEditObjectCommand = 33137;

// Applies one click (1) or a double click (2) on `picked` (null: empty space or the ground).
// Without Shift or Ctrl the object becomes the only selection (empty space clears it); with
// either, the object's selection is toggled. Returns whether the window is to post Edit/Object...
bool ApplyClicks(XDocument& doc, UINT flags, int clicks, GroupSO* picked);

// The centre of the objects a drag acts on: the picked group's world box centre when it is the
// target (picked, fewer than two selected, not Rotate Object About), else the centre of the
// selected groups' world boxes, else the centre of the scene's box at the press.
Vector PressCenter(XDocument& doc, GroupSO* picked, int mode, const BoundingBox& sceneBox);
