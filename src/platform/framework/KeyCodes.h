// Virtual-key codes and the translation of Qt keys into them.
#pragma once

#include "platform/win/WinTypes.h"

class QKeyEvent;

constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_PAUSE = 0x13;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_NUMPAD0 = 0x60;
constexpr UINT VK_MULTIPLY = 0x6A;
constexpr UINT VK_ADD = 0x6B;
constexpr UINT VK_SUBTRACT = 0x6D;
constexpr UINT VK_DECIMAL = 0x6E;
constexpr UINT VK_DIVIDE = 0x6F;
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F4 = 0x73;
constexpr UINT VK_F12 = 0x7B;
constexpr UINT VK_OEM_PLUS = 0xBB;
constexpr UINT VK_OEM_COMMA = 0xBC;
constexpr UINT VK_OEM_MINUS = 0xBD;
constexpr UINT VK_OEM_PERIOD = 0xBE;

// The virtual key of a Qt key (Qt::Key) typed with or without the keypad modifier; 0 for keys
// without one.
UINT VirtualKeyFromQt(int qtKey, bool keypad);

// The virtual key of a key event. The top row's digit keys count by their place on the keyboard, so
// they give '0'..'9' on every layout (AZERTY's "&" key is the 1) and with Shift held.
UINT VirtualKeyOfEvent(const QKeyEvent& event);

// The key's state as of the input being handled: negative while it is down. The modifier keys
// follow the modifiers of the last input event; other keys their last press or release.
SHORT GetKeyState(int virtualKey);
// The same, for the keyboard now.
SHORT GetAsyncKeyState(int virtualKey);
// The input filter records each key and each event's modifiers here.
void RecordKeyState(UINT virtualKey, bool down);
// Records a key event by the physical key and returns its virtual key: a release counts for the key
// its press recorded, whatever character it gives by then (a 5 released with Shift down gives '%').
UINT RecordKeyEvent(const QKeyEvent& event);
// Forgets every held key, once the keyboard's releases no longer reach the program.
void ClearKeyState();
void RecordModifiers(bool shift, bool control, bool alt);
