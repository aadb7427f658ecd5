#pragma once
// Sixteen colours offered as the custom colours of the colour dialogs.
#include "platform/win_types.h"

class QvColorScheme {
public:
    static constexpr int Count = 16;

    // Six greys from light to dark; the other ten start white.
    QvColorScheme();

    COLORREF& operator[](int i) { return m_colors[i]; }
    COLORREF operator[](int i) const { return m_colors[i]; }
    COLORREF* Data() { return m_colors; }

private:
    COLORREF m_colors[Count];
};
