#include "shell/palette_tool_bar.h"

#include <QAction>
#include <QGridLayout>
#include <QToolButton>

CPaletteToolBar::CPaletteToolBar(const QString& title, QWidget* parent)
    : QToolBar(title, parent), m_grid(new QWidget(this)), m_layout(new QGridLayout(m_grid)) {
    m_layout->setContentsMargins(5, 5, 5, 5);
    m_layout->setSpacing(0);
    addWidget(m_grid);
    setAllowedAreas(Qt::LeftToolBarArea | Qt::RightToolBarArea);
    setOrientation(Qt::Vertical);
}

void CPaletteToolBar::AddButton(QAction* action) {
    QToolButton* button = nullptr;
    if (action) {
        button = new QToolButton(m_grid);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setIconSize(iconSize());
        connect(this, &QToolBar::iconSizeChanged, button, &QToolButton::setIconSize);
    }
    // The new button takes the next cell; the bar is sized once all are in
    // (SetColumns), not again for each of its buttons.
    const int index = int(m_buttons.size());
    m_buttons.append(button);
    if (button)
        m_layout->addWidget(button, index / m_nColumns, index % m_nColumns);
    m_sized = false;
}

void CPaletteToolBar::SetColumns(int n) {
    // A hand-edited profile may hold 0 or less.
    n = n < 1 ? 1 : n;
    if (n == m_nColumns && m_sized)
        return;
    m_nColumns = n;
    Relayout();
}

bool CPaletteToolBar::IsWrapped(int index) const {
    return (index + 1) % m_nColumns == 0;
}

QToolButton* CPaletteToolBar::Button(int index) const {
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

void CPaletteToolBar::Relayout() {
    for (QToolButton* button : m_buttons)
        if (button)
            m_layout->removeWidget(button);
    int row = 0;
    int column = 0;
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i])
            m_layout->addWidget(m_buttons[i], row, column);
        ++column;
        if (IsWrapped(i)) {
            ++row;
            column = 0;
        }
    }
    m_grid->adjustSize();
    adjustSize();
    m_sized = true;
}
