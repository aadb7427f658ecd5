#pragma once
// The state of the modifier keys, as the program asks for it while it
// handles a mouse message.  Tests replace the reader to hold keys down
// without a keyboard.
#include "platform/win_types.h"

#include <functional>

constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;

// Negative (the high bit set) while the key is down, else 0.  Keys other
// than Shift and Ctrl always read as up.
short GetKeyState(int virtualKey);

// Answers whether a key is down; an empty reader goes back to the keyboard
// state of the last input event.  Returns the reader installed before.
using QvKeyStateReader = std::function<bool(int virtualKey)>;
QvKeyStateReader SetKeyStateReader(QvKeyStateReader reader);
