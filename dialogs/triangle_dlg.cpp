#include "dialogs/triangle_dlg.h"

#include "text/number_text.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

using namespace QvTri;

namespace {

constexpr int kDecimals = 2;

struct MeasureText {
    const char* label;
    const char* unit;
};
// By QvTri::Measure.
const MeasureText kMeasures[Count] = {
    {"Angle A", "\u00B0"},   {"Angle B", "\u00B0"},   {"Angle C", "\u00B0"},
    {"Side a", "mm"},        {"Side b", "mm"},        {"Side c", "mm"},
    {"Altitude to A", "mm"}, {"Altitude to B", "mm"}, {"Altitude to C", "mm"},
    {"Area", "mm \u00B2"},   {"Perimeter", "mm"},
};

QPushButton* PlainButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    // Enter belongs to the boxes: no button takes it.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

// ------------------------------------------------------------ Enter edit

void CEnterEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QCoreApplication::postEvent(this,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
        event->accept();
        return;
    }
    if (key == Qt::Key_Down) {
        // On to the next open box, round to the first.
        for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
            if (dynamic_cast<CEnterEdit*>(w) && w->isEnabled()) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
        }
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEnterEdit::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QLineEdit::keyReleaseEvent(event);
}

void CEnterEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (m_left)
        m_left();
}

// ---------------------------------------------------------------- dialog

CTriangleDlg::CTriangleDlg(QWidget* parent)
    : CDialog(parent), m_message(new QPlainTextEdit(this)),
      m_buttonOK(PlainButton(QStringLiteral("OK"), this)),
      m_buttonSpin(PlainButton(QStringLiteral("Spin Coords"), this)),
      m_buttonReset(PlainButton(QStringLiteral("Reset"), this)) {
    setWindowTitle(QStringLiteral("Triangle Properties"));
    m_message->setReadOnly(true);
    m_message->setMaximumHeight(60);

    // Angles, sides and altitudes side by side, a row for each vertex;
    // area and perimeter below.
    auto* grid = new QGridLayout;
    for (int i = 0; i < Count; ++i) {
        m_edit[i] = new CEnterEdit(this);
        m_edit[i]->setAlignment(Qt::AlignRight);
        m_edit[i]->setMaximumWidth(80);
        m_edit[i]->SetLeaveHandler([this] { Refresh(); });
        const int row = i < Area ? i % 3 : 3 + (i - Area);
        const int column = i < Area ? 3 * (i / 3) : 0;
        grid->addWidget(new QLabel(QString::fromUtf8(kMeasures[i].label), this), row, column);
        grid->addWidget(m_edit[i], row, column + 1);
        grid->addWidget(new QLabel(QString::fromUtf8(kMeasures[i].unit), this), row, column + 2);
    }
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("In triangle ABC"), this));
    left->addLayout(grid);
    left->addWidget(m_message);

    auto* cancel = PlainButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_buttonOK);
    buttons->addWidget(cancel);
    buttons->addWidget(m_buttonSpin);
    buttons->addWidget(m_buttonReset);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(m_buttonOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    connect(m_buttonSpin, &QPushButton::clicked, this, [this] { OnSpinCoords(); });
    connect(m_buttonReset, &QPushButton::clicked, this, [this] { OnReset(); });
}

CTriangleDlg::~CTriangleDlg() {
    // The boxes lose the focus as they go; there is nothing to work out then.
    for (CEnterEdit* edit : m_edit)
        edit->SetLeaveHandler({});
}

void CTriangleDlg::Show(const double* values, bool openAll) {
    for (int i = 0; i < Count; ++i) {
        const double v = values[i] > 0.0 && std::isfinite(values[i]) ? values[i] : 0.0;
        m_shownValue[i] = v;
        m_shown[i] = QvFormatNumber(v, kDecimals);
        m_edit[i]->setText(m_shown[i]);
        m_edit[i]->setEnabled(openAll || m_solver.given[i] > 0.0);
    }
}

void CTriangleDlg::ReadGiven() {
    for (int i = 0; i < Count; ++i) {
        if (!m_edit[i]->isEnabled()) {
            m_solver.given[i] = 0.0;
            continue;
        }
        const QString text = m_edit[i]->text();
        m_solver.given[i] = text == m_shown[i] ? m_shownValue[i] : QvParseNumber(text);
    }
}

void CTriangleDlg::Refresh() {
    ReadGiven();
    const QString message = m_solver.Solve();
    // Fewer than three: the user is still choosing, and every box is open.
    if (m_solver.givenCount < 3)
        Show(m_solver.given, true);
    else
        Show(m_solver.solved, false);
    m_buttonOK->setEnabled(m_solver.isSolved != 0);
    m_message->setPlainText(message);
}

BOOL CTriangleDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_solver.Solve();
    Show(m_solver.solved, false);
    Refresh();
    return TRUE;
}

void CTriangleDlg::OnOK() {
    Refresh();
    if (m_solver.isSolved)
        EndDialog(IDOK);
}

void CTriangleDlg::OnReset() {
    m_solver.ClearGiven();
    Show(m_solver.solved, false);
    Refresh();
}

void CTriangleDlg::OnSpinCoords() {
    m_solver.RotateLabels();
    Show(m_solver.solved, false);
    Refresh();
}

bool RunTriangleDialog(QvGRTriangle& measurements) {
    CTriangleDlg dlg(QApplication::activeWindow());
    dlg.m_solver = measurements;
    if (dlg.DoModal() != IDOK)
        return false;
    measurements = dlg.m_solver;
    return true;
}
