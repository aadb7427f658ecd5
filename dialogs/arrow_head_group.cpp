#include "dialogs/arrow_head_group.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

CArrowHeadGroup::CArrowHeadGroup(std::span<const ComboItem> table, QWidget* parent)
    : QGroupBox(QStringLiteral("Arrowheads"), parent),
      m_sliderPosition(new QSlider(Qt::Horizontal, this)) {
    auto* grid = new QGridLayout(this);
    const QString labels[3] = {QStringLiteral("Start"), QStringLiteral("Middle"),
                               QStringLiteral("Stop")};
    for (int end = EndStart; end <= EndStop; ++end) {
        m_combo[end] = new CArrowHeadComboBox(this);
        m_combo[end]->m_nEndKind = end;
        m_combo[end]->FillFromTable(table, 0);
        m_combo[end]->setMinimumWidth(120);
        m_spin[end] = new QSpinBox(this);
        m_spin[end]->setRange(1, 20);
        grid->addWidget(new QLabel(labels[end], this), 0, end);
        grid->addWidget(m_combo[end], 1, end);
        grid->addWidget(m_spin[end], 2, end, Qt::AlignLeft);
        connect(m_combo[end], &QComboBox::currentIndexChanged, this, [this] {
            if (m_changed)
                m_changed();
        });
        connect(m_spin[end], &QSpinBox::valueChanged, this, [this] {
            if (m_changed)
                m_changed();
        });
    }
    m_sliderPosition->setRange(0, 50);
    m_sliderPosition->setPageStep(5);
    m_sliderPosition->setTickInterval(5);
    m_sliderPosition->setTickPosition(QSlider::TicksBelow);
    grid->addWidget(new QLabel(QStringLiteral("Middle Arrowhead Position"), this), 3, 0, 1, 3);
    grid->addWidget(m_sliderPosition, 4, 0, 1, 3);
    connect(m_sliderPosition, &QSlider::valueChanged, this, [this] {
        if (m_changed)
            m_changed();
    });
}

void CArrowHeadGroup::Show(const LineEndSteps& steps) {
    for (int end = EndStart; end <= EndStop; ++end) {
        m_combo[end]->SelectByData(DWORD(steps.code[end]));
        m_spin[end]->setValue(steps.size[end]);
    }
    m_sliderPosition->setValue(steps.position);
}

void CArrowHeadGroup::Read(LineEndSteps& steps) const {
    for (int end = EndStart; end <= EndStop; ++end) {
        if (m_combo[end]->currentIndex() >= 0)
            steps.code[end] = int(m_combo[end]->GetSelectedData());
        steps.size[end] = m_spin[end]->value();
    }
    steps.position = m_sliderPosition->value();
}
