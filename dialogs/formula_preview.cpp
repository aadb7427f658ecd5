#include "dialogs/formula_preview.h"

#include "platform/dc.h"

CFormulaPreview::CFormulaPreview(int width, int height, std::function<void(CDC*)> draw,
                                 QWidget* parent)
    : QWidget(parent), m_draw(std::move(draw)) {
    setFixedSize(width, height);
}

void CFormulaPreview::paintEvent(QPaintEvent*) {
    CDC dc(static_cast<QPaintDevice*>(this));
    if (m_draw)
        m_draw(&dc);
}
