#include "platform/key_state.h"

#include <QGuiApplication>

#include <utility>

namespace {
QvKeyStateReader g_reader;

// The modifiers as of the input event being handled, like the keyboard
// state a message handler sees; asking the window system afresh on every
// mouse move would cost a round trip.
bool KeyboardState(int virtualKey) {
    Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    switch (virtualKey) {
    case VK_SHIFT:
        return mods.testFlag(Qt::ShiftModifier);
    case VK_CONTROL:
        return mods.testFlag(Qt::ControlModifier);
    default:
        return false;
    }
}
} // namespace

short GetKeyState(int virtualKey) {
    bool down = g_reader ? g_reader(virtualKey) : KeyboardState(virtualKey);
    return down ? short(0x8000) : short(0);
}

QvKeyStateReader SetKeyStateReader(QvKeyStateReader reader) {
    return std::exchange(g_reader, std::move(reader));
}
