// The undo records of a drag: one when the drag starts and one more each time held keys carry it
// into another family of interactive modes.
#pragma once

class CObject;
class GroupSO;
class XDocument;

// Opens the record of a drag step in `mode` when `previous` (-1 at the first accepted move) is of
// another family. `window` is the camera window whose camera the camera families record;
// `picked` the group the press hit, or null.
void SwitchInteractiveModification(XDocument& doc, CObject* window, int mode, int previous, GroupSO* picked);
