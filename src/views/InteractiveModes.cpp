#include "views/InteractiveModes.h"

#include "core/FatalReport.h"
#include "platform/framework/KeyCodes.h"

namespace {

constexpr UINT kModeCommands[numberInteractiveModes] = {33128, 33066, 33081, 33065, 33071, 33061, 33060,
                                                         33127, 33063, 33072, 33090, 33094, 33100, 33099,
                                                         33091, 33119, 33098, 33106, 33110, 33118};

enum Family { kSize, kRotateObjects, kMoveObjects, kRotateCamera, kRotateCameraAround, kRollCamera,
              kMoveCamera, kFocus, kZoom, kBlurriness };

constexpr Family kModeFamilies[numberInteractiveModes] = {
    kSize,      kRotateObjects, kRotateObjects, kMoveObjects, kMoveObjects, kRotateCamera, kRotateCameraAround,
    kRollCamera, kMoveCamera,   kMoveCamera,    kMoveObjects, kMoveObjects, kMoveObjects,  kMoveObjects,
    kMoveCamera, kMoveCamera,   kMoveCamera,    kFocus,       kZoom,        kBlurriness};

// Description ids of each family: one object (or the camera), several objects.
struct FamilyTexts {
  UINT single;
  UINT plural;
};
constexpr FamilyTexts kFamilyTexts[] = {{354, 355}, {370, 401}, {369, 402}, {372, 372}, {375, 375},
                                        {353, 353}, {371, 371}, {403, 403}, {404, 404}, {405, 405}};
constexpr UINT kRotateCylinderText = 373;
constexpr int kTransformGroupsKind = 7;
constexpr int kEditCameraKind = 9;

Family FamilyOf(int mode) {
  if (mode < 0 || mode >= numberInteractiveModes) XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, "0", "");
  return kModeFamilies[mode];
}

}  // namespace

int InteractiveModeOfCommand(UINT command) {
  for (int mode = 0; mode < numberInteractiveModes; ++mode)
    if (kModeCommands[mode] == command) return mode;
  return -1;
}

void HeldKeys::Press(int virtualKey) {
  const bool letter = virtualKey >= 65 && virtualKey <= 90;
  const bool functionKey = virtualKey >= 112 && virtualKey <= 123;
  const bool digit = virtualKey >= 48 && virtualKey <= 57;
  if (!letter && !functionKey && !digit) return;
  ++countedKeys;
  lastCounted = virtualKey;
}

HeldKeys CurrentHeldKeys() {
  auto down = [](int key) { return GetAsyncKeyState(key) < 0; };
  HeldKeys keys;
  keys.shift = down(16);
  keys.ctrl = down(17);
  keys.alt = down(18);
  for (int key = 48; key <= 123; ++key)
    if (down(key)) keys.Press(key);
  return keys;
}

int EffectiveInteractiveMode(int applicationMode, const HeldKeys& keys) {
  if (applicationMode == 13 || applicationMode == rotateObjectAboutMode) return applicationMode;
  const bool oneDigit = keys.countedKeys == 1 && keys.lastCounted >= '0' && keys.lastCounted <= '9';
  if (!oneDigit || keys.shift || keys.ctrl == keys.alt) return applicationMode;
  const int digit = keys.lastCounted - '0';
  if (keys.ctrl) return digit == 2 ? applicationMode : digit;
  return digit == 0 ? 19 : 9 + digit;
}

bool IsCameraMode(int mode) { return FamilyOf(mode) >= kRotateCamera; }

bool OpensDragRecord(int mode, int previous) {
  const Family family = FamilyOf(mode);
  return previous < 0 || FamilyOf(previous) != family;
}

DragRecord ChooseDragRecord(int mode, bool picked, bool pickedIsCylinder, int selectedCount) {
  const FamilyTexts texts = kFamilyTexts[FamilyOf(mode)];
  if (IsCameraMode(mode)) return {kEditCameraKind, texts.single, false};
  // Rotate Object About turns the selected group unless the press took the cylinder itself, so
  // only the cylinder may be recorded alone there.
  const bool cylinderDrag = mode == rotateObjectAboutMode && picked && pickedIsCylinder;
  const bool pickedAlone = picked && selectedCount < 2 && (mode != rotateObjectAboutMode || cylinderDrag);
  if (pickedAlone) return {kTransformGroupsKind, cylinderDrag ? kRotateCylinderText : texts.single, true};
  XASSERT_TEXT(selectedCount != 0, "doc->GetSelectedCount()", "Impossible modification of no object");
  return {kTransformGroupsKind, selectedCount == 1 ? texts.single : texts.plural, false};
}
