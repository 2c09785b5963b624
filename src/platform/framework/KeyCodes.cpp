#include "platform/framework/KeyCodes.h"

#include <QKeyEvent>
#include <bitset>
#include <map>

UINT VirtualKeyFromQt(int qtKey, bool keypad) {
  if (keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return VK_NUMPAD0 + static_cast<UINT>(qtKey - Qt::Key_0);
  if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
    return static_cast<UINT>(qtKey);  // digits and letters keep their ASCII codes
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : 0;
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal: return VK_OEM_PLUS;  // the plus key unshifted
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Comma: return VK_OEM_COMMA;
    case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : 0;
    default: return 0;
  }
}

namespace {

// Linux desktops report XKB key codes (the kernel's code + 8) as scan codes: the top row's 1 to 9,
// then 0. Synthetic events carry none (0).
constexpr quint32 kDigitOneKey = 10;
constexpr quint32 kDigitZeroKey = 19;

std::bitset<256>& KeysDown() {
  static std::bitset<256> keys;
  return keys;
}

// The virtual key each physical key down was recorded as, by scan code.
std::map<quint32, UINT>& PressedKeys() {
  static std::map<quint32, UINT> keys;
  return keys;
}

}  // namespace

UINT VirtualKeyOfEvent(const QKeyEvent& event) {
  const quint32 scanCode = event.nativeScanCode();
  if (scanCode >= kDigitOneKey && scanCode < kDigitZeroKey) return '1' + (scanCode - kDigitOneKey);
  if (scanCode == kDigitZeroKey) return '0';
  return VirtualKeyFromQt(event.key(), event.modifiers() & Qt::KeypadModifier);
}

UINT RecordKeyEvent(const QKeyEvent& event) {
  const bool down = event.type() == QEvent::KeyPress;
  UINT virtualKey = VirtualKeyOfEvent(event);
  if (const quint32 scanCode = event.nativeScanCode()) {
    std::map<quint32, UINT>& pressed = PressedKeys();
    if (down) {
      pressed[scanCode] = virtualKey;
    } else if (auto it = pressed.find(scanCode); it != pressed.end()) {
      virtualKey = it->second;
      pressed.erase(it);
    }
  }
  RecordKeyState(virtualKey, down);
  return virtualKey;
}

void ClearKeyState() {
  KeysDown().reset();
  PressedKeys().clear();
}

void RecordKeyState(UINT virtualKey, bool down) {
  if (virtualKey < 256) KeysDown()[virtualKey] = down;
}

void RecordModifiers(bool shift, bool control, bool alt) {
  KeysDown()[VK_SHIFT] = shift;
  KeysDown()[VK_CONTROL] = control;
  KeysDown()[VK_MENU] = alt;
}

SHORT GetKeyState(int virtualKey) {
  return virtualKey >= 0 && virtualKey < 256 && KeysDown()[static_cast<std::size_t>(virtualKey)] ? SHORT(-32768) : SHORT(0);
}

SHORT GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }
