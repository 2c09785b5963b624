// The kinds of undo data a modification record can hold. The numbers are stored in scene files.
#pragma once

enum UndoKind : int {
  kUndoCloseWindow = 1,
  kUndoOpenWindow = 2,
  kUndoZoomWindow = 3,
  kUndoAddGroups = 4,
  kUndoDeleteGroups = 5,
  kUndoChangeSelected = 6,
  kUndoTransformGroups = 7,
  kUndoEditGroup = 8,
  kUndoEditCamera = 9,
  kUndoEditLights = 10,
};

constexpr bool IsUndoKind(int kind) { return kind >= kUndoCloseWindow && kind <= kUndoEditLights; }
