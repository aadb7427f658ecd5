#include "settings/color_scheme.h"

#include <algorithm>
#include <iterator>

QvColorScheme::QvColorScheme() {
    static constexpr COLORREF kGreys[] = {0xF0F0F0, 0xC8C8C8, 0xA0A0A0,
                                          0x828282, 0x646464, 0x3C3C3C};
    // The dialog shows all sixteen, so none is left undefined.
    std::fill(std::begin(m_colors), std::end(m_colors), COLORREF(0xFFFFFF));
    std::copy(std::begin(kGreys), std::end(kGreys), m_colors);
}
