#pragma once
// The modifier keys held with a mouse message.  They travel with the call
// from the view to the snap search and the figures, so nothing asks the
// keyboard afresh and a test holds a key by passing it.
#include <QtCore/qnamespace.h>

struct QvKeys {
    bool shift = false;
    bool ctrl = false;

    static QvKeys From(Qt::KeyboardModifiers modifiers) {
        return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier)};
    }
};
