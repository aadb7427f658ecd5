#include "dialogs/line_properties_dlg.h"

#include "dialogs/dialog_controls.h"
#include "dialogs/font_color_dlg.h"
#include "figures/fig_line.h"
#include "geometry/gr_rect.h"
#include "platform/dc.h"
#include "settings/settings.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// Every line end, the double line's among the heads.
constexpr ComboItem kLineEndTable[] = {{34000, 10}, {34001, 11}, {34002, 12}, {34003, 13},
                                       {34004, 14}, {34005, 15}, {34006, 16}, {34007, 17},
                                       {34008, 18}, {34012, 22}, {34009, 19}, {34010, 20},
                                       {34011, 21}, {34013, 23}, {34014, 24}};

constexpr double kPositionSteps = 50.0;
// The sample line, in the preview's pixels.
const QvPoint kSampleStart(30, 50);
const QvPoint kSampleEnd(400, 50);
constexpr int kPreviewWidth = 470;
constexpr int kPreviewHeight = 110;

// The side button for a stored side, and the side for a button; a side
// without a button stays as it is.
int SideChoice(int side) {
    return side == QvEditDataLine::SideBelow ? 1 : side == QvEditDataLine::SideAbove ? 0 : -1;
}
int SideOf(int choice, int otherwise) {
    return choice == 0   ? QvEditDataLine::SideAbove
           : choice == 1 ? QvEditDataLine::SideBelow
                         : otherwise;
}

void StoreEnds(const LineEndSteps& s, QvEditDataLine& r) {
    r.m_startArrow = s.code[EndStart];
    r.m_midArrow = s.code[EndMiddle];
    r.m_endArrow = s.code[EndStop];
    r.m_startSize = BYTE(StepsToSize(s.size[EndStart]));
    r.m_midSize = BYTE(StepsToSize(s.size[EndMiddle]));
    r.m_endSize = BYTE(StepsToSize(s.size[EndStop]));
    r.m_midPos = s.position / kPositionSteps;
}

// Draws the dialog's sample line on itself.
class CLinePreview : public QWidget {
public:
    explicit CLinePreview(CLinePropertiesDlg* dlg) : QWidget(dlg), m_dlg(dlg) {
        setFixedSize(kPreviewWidth, kPreviewHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        CDC dc(static_cast<QPaintDevice*>(this));
        m_dlg->DrawPreview(&dc);
    }

private:
    CLinePropertiesDlg* m_dlg;
};

} // namespace

CLinePropertiesDlg::CLinePropertiesDlg(QWidget* parent)
    : CDialog(parent), m_groupArrowHeads(new CArrowHeadGroup(kLineEndTable, this)),
      m_editLabel(new QLineEdit(this)), m_sliderLabelPos(new QSlider(Qt::Horizontal, this)),
      m_buttonFont(new QPushButton(QStringLiteral("Font"), this)),
      m_preview(new CLinePreview(this)) {
    setWindowTitle(QStringLiteral("Line Properties"));
    m_sliderLabelPos->setRange(0, 50);
    m_sliderLabelPos->setPageStep(5);
    m_sliderLabelPos->setTickInterval(5);
    m_sliderLabelPos->setTickPosition(QSlider::TicksBelow);
    m_buttonFont->setAutoDefault(false);

    auto* text = new QGroupBox(QStringLiteral("Line Text"), this);
    auto* textGrid = new QGridLayout(text);
    textGrid->addWidget(m_editLabel, 0, 0, 1, 3);
    textGrid->addWidget(new QLabel(QStringLiteral("Text Position"), text), 1, 0, 1, 3);
    textGrid->addWidget(m_sliderLabelPos, 2, 0, 1, 3);
    textGrid->addWidget(
        RadioColumn({QStringLiteral("Normal"), QStringLiteral("Equation")}, m_radioKind, text), 3,
        0);
    textGrid->addWidget(
        RadioColumn({QStringLiteral("Above"), QStringLiteral("Below")}, m_radioSide, text), 3, 1);
    textGrid->addWidget(m_buttonFont, 3, 2, Qt::AlignTop);

    auto* left = new QVBoxLayout;
    left->addWidget(m_groupArrowHeads);
    left->addWidget(text);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(PropertyButtons(this, m_buttonSetAsDefault));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_preview, 0, Qt::AlignHCenter);

    // Every change shows at once in the sample, and only there.
    auto changed = [this] { m_preview->update(); };
    m_groupArrowHeads->SetChangeHandler(changed);
    connect(m_editLabel, &QLineEdit::textChanged, this, changed);
    connect(m_sliderLabelPos, &QSlider::valueChanged, this, changed);
    for (QAbstractButton* b : m_radioKind + m_radioSide)
        connect(b, &QAbstractButton::toggled, this, changed);
    connect(m_buttonFont, &QPushButton::clicked, this, [this] { OnFont(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CLinePropertiesDlg::Load(const QvEditDataLine& r) {
    m_ends.code[EndStart] = int(r.m_startArrow);
    m_ends.code[EndMiddle] = int(r.m_midArrow);
    m_ends.code[EndStop] = int(r.m_endArrow);
    m_ends.size[EndStart] = SizeToSteps(r.m_startSize);
    m_ends.size[EndMiddle] = SizeToSteps(r.m_midSize);
    m_ends.size[EndStop] = SizeToSteps(r.m_endSize);
    m_ends.position = ToSteps(r.m_midPos, kPositionSteps);
    m_nLabelPos = ToSteps(r.m_labelPos, kPositionSteps);
    m_strLabel = r.m_label;
    m_nLabelSide = int(r.m_labelSide);
    m_logFont = r.m_font.m_logFont;
    m_color = r.m_font.m_color;
    m_nDrawHeight = r.m_font.m_drawHeight;
    m_nKindChoice = int(r.m_labelKind);
}

void CLinePropertiesDlg::Store(QvEditDataLine& r) const {
    StoreEnds(m_ends, r);
    r.m_labelPos = m_nLabelPos / kPositionSteps;
    r.m_label = m_strLabel;
    r.m_labelSide = m_nLabelSide;
    r.m_font.Set(m_logFont, m_color, m_nDrawHeight);
    if (m_nKindChoice >= 0)
        r.m_labelKind = m_nKindChoice;
}

BOOL CLinePropertiesDlg::OnInitDialog() {
    m_groupArrowHeads->Show(m_ends);
    m_sliderLabelPos->setValue(m_nLabelPos);
    m_nSideChoice = SideChoice(m_nLabelSide);
    return CDialog::OnInitDialog();
}

void CLinePropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editLabel, m_strLabel);
    DDX_Radio(pDX, m_radioSide, m_nSideChoice);
    // A kind no button stands for (a chemical equation) is kept.
    int kind = m_nKindChoice;
    DDX_Radio(pDX, m_radioKind, kind);
    if (kind >= 0)
        m_nKindChoice = kind;
}

bool CLinePropertiesDlg::TakeValues() {
    m_groupArrowHeads->Read(m_ends);
    m_nLabelPos = m_sliderLabelPos->value();
    if (!UpdateData(TRUE))
        return false;
    m_nLabelSide = SideOf(m_nSideChoice, m_nLabelSide);
    return true;
}

void CLinePropertiesDlg::OnOK() {
    if (TakeValues())
        EndDialog(IDOK);
}

void CLinePropertiesDlg::OnFont() {
    if (ChooseFontAndColour(this, m_logFont, m_color, m_nDrawHeight))
        m_preview->update();
}

void CLinePropertiesDlg::OnSetAsDefault() {
    if (!TakeValues())
        return;
    QvSettings& settings = TheSettings();
    QvLineDefaults& d = settings.m_LineDefaults;
    d.MidPos.SetValue(m_ends.position / kPositionSteps);
    d.MidSize.SetValue(StepsToSize(m_ends.size[EndMiddle]));
    d.Mid.SetValue(m_ends.code[EndMiddle]);
    d.StartSize.SetValue(StepsToSize(m_ends.size[EndStart]));
    d.Start.SetValue(m_ends.code[EndStart]);
    d.StopSize.SetValue(StepsToSize(m_ends.size[EndStop]));
    d.Stop.SetValue(m_ends.code[EndStop]);
    d.Info.SetValue(m_strLabel);
    d.VPos.SetValue(m_nLabelSide);
    d.InfoPos.SetValue(m_nLabelPos / kPositionSteps);
    QvLogFont font;
    font.Set(m_logFont, m_color, m_nDrawHeight);
    d.Font.SetValue(font);
    settings.Save(FALSE);
}

void CLinePropertiesDlg::ShownRecord(QvEditDataLine& r) const {
    LineEndSteps ends = m_ends;
    m_groupArrowHeads->Read(ends);
    StoreEnds(ends, r);
    r.m_labelPos = m_sliderLabelPos->value() / kPositionSteps;
    r.m_label = m_editLabel->text();
    r.m_labelSide = SideOf(CheckedIndex(m_radioSide, -1), m_nLabelSide);
    r.m_labelKind = CheckedIndex(m_radioKind, m_nKindChoice);
    r.m_font.Set(m_logFont, m_color, m_nDrawHeight);
}

void CLinePropertiesDlg::DrawPreview(CDC* dc) {
    // A line of the current drawing style, in pixels, so that the label's
    // font is made at its own size.
    QvFigLine sample;
    ShownRecord(*sample.LineData());
    sample.DefiningPoints()[0] = kSampleStart;
    sample.DefiningPoints()[1] = kSampleEnd;
    sample.DrawMapped(dc, 0, NullFrame, CRect(0, 0, 0, 0));
}

bool RunLineDialog(QvEditDataLine& record) {
    CLinePropertiesDlg dlg(QApplication::activeWindow());
    dlg.Load(record);
    if (dlg.DoModal() != IDOK)
        return false;
    dlg.Store(record);
    return true;
}
