#include "dialogs/number_line_properties_dlg.h"

#include "dialogs/colour_choice.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/style_combo_box.h"
#include "settings/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

CNumberLinePropertiesDlg::CNumberLinePropertiesDlg(QWidget* parent)
    : CDialog(parent), m_logFont(QvLogFont().m_logFont), m_comboLine(new CLineStyleComboBox(this)),
      m_editMajor(new QLineEdit(this)), m_editMax(new QLineEdit(this)),
      m_editMinor(new QLineEdit(this)), m_editMin(new QLineEdit(this)),
      m_checkScale(new QCheckBox(QStringLiteral("Scale"), this)),
      m_checkAxis(new QCheckBox(QStringLiteral("Axis"), this)),
      m_checkTicks(new QCheckBox(QStringLiteral("Ticks"), this)), m_editGraph(new QLineEdit(this)),
      m_editNumber(new QLineEdit(this)), m_bar(new QScrollBar(Qt::Vertical, this)),
      m_buttonAxisColor(new QPushButton(QStringLiteral("Color"), this)),
      m_buttonGraphColor(new QPushButton(QStringLiteral("Color"), this)),
      m_buttonFont(new QPushButton(QStringLiteral("Font"), this)) {
    setWindowTitle(QStringLiteral("Number Line Properties"));
    m_bar->setRange(1, kIntervals);
    m_bar->setSingleStep(1);
    m_bar->setPageStep(1);
    m_bar->setFixedHeight(m_editNumber->sizeHint().height());
    m_editNumber->setMaximumWidth(40);
    for (QPushButton* b : {m_buttonAxisColor, m_buttonGraphColor, m_buttonFont})
        b->setAutoDefault(false);

    auto* axis = new QGroupBox(QStringLiteral("Axis"), this);
    auto* axisGrid = new QGridLayout(axis);
    const std::pair<const char*, QLineEdit*> texts[] = {{"Minimum", m_editMin},
                                                        {"Maximum", m_editMax},
                                                        {"Major Ticks", m_editMajor},
                                                        {"Minor Ticks", m_editMinor}};
    int row = 0;
    for (const auto& [label, edit] : texts) {
        axisGrid->addWidget(new QLabel(QString::fromLatin1(label), axis), row, 0);
        axisGrid->addWidget(edit, row++, 1);
    }
    auto* show = new QHBoxLayout;
    show->addWidget(new QLabel(QStringLiteral("Show"), axis));
    show->addWidget(m_checkScale);
    show->addWidget(m_checkAxis);
    show->addWidget(m_checkTicks);
    show->addStretch();
    axisGrid->addLayout(show, row++, 0, 1, 2);
    axisGrid->addWidget(new QLabel(QStringLiteral("Line"), axis), row, 0);
    axisGrid->addWidget(m_comboLine, row++, 1);
    auto* axisButtons = new QHBoxLayout;
    axisButtons->addStretch();
    axisButtons->addWidget(m_buttonFont);
    axisButtons->addWidget(m_buttonAxisColor);
    axisGrid->addLayout(axisButtons, row, 0, 1, 2);

    auto* graphs = new QGroupBox(QStringLiteral("Graphs"), this);
    auto* graphsGrid = new QGridLayout(graphs);
    auto* number = new QHBoxLayout;
    number->addWidget(new QLabel(QStringLiteral("Graph # "), graphs));
    number->addWidget(m_editNumber);
    number->addWidget(m_bar);
    number->addStretch();
    number->addWidget(m_buttonGraphColor);
    graphsGrid->addLayout(number, 0, 0);
    graphsGrid->addWidget(m_editGraph, 1, 0);

    auto* left = new QVBoxLayout;
    left->addWidget(axis);
    left->addWidget(graphs);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(PropertyButtons(this, m_buttonSetAsDefault));
    m_buttonSetAsDefault->setText(QStringLiteral("Set As Default"));

    connect(m_bar, &QScrollBar::valueChanged, this, [this](int position) {
        if (!m_loading)
            OnScroll(position);
    });
    connect(m_editNumber, &QLineEdit::textEdited, this, [this] { OnChangeNumber(); });
    connect(m_buttonAxisColor, &QPushButton::clicked, this, [this] { OnAxisColor(); });
    connect(m_buttonGraphColor, &QPushButton::clicked, this, [this] { OnGraphColor(); });
    connect(m_buttonFont, &QPushButton::clicked, this, [this] { OnFont(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CNumberLinePropertiesDlg::Load(const QvNumberLineData& d) {
    m_strMajor = d.m_xMajor;
    m_strMax = d.m_xMaxShow;
    m_strMinor = d.m_xMinor;
    m_strMin = d.m_xMinShow;
    m_bShowScale = d.m_ShowScale ? 1 : 0;
    m_bShowAxis = d.m_ShowAxis ? 1 : 0;
    m_bShowTicks = d.m_ShowTicks ? 1 : 0;
    m_logFont = d.m_AxisFont.m_logFont;
    m_fontColor = d.m_AxisFont.m_color;
    m_nDrawHeight = d.m_AxisFont.m_drawHeight;
    m_lineData.Copy(d);
    m_axisColor = d.m_AxisColor;
    m_nAxisLine = d.m_AxisLine;
}

void CNumberLinePropertiesDlg::Store(QvNumberLineData& d) const {
    d.m_xMajor = m_strMajor;
    d.m_xMaxShow = m_strMax;
    d.m_xMinor = m_strMinor;
    d.m_xMinShow = m_strMin;
    d.m_ShowScale = m_bShowScale;
    d.m_ShowAxis = m_bShowAxis;
    d.m_ShowTicks = m_bShowTicks;
    d.m_AxisFont.Set(m_logFont, m_fontColor, m_nDrawHeight);
    for (int i = 0; i < kIntervals; ++i)
        d.m_Graphs[i].Copy(m_lineData.m_Graphs[i]);
    d.m_AxisColor = m_axisColor;
    d.m_AxisLine = m_nAxisLine;
}

BOOL CNumberLinePropertiesDlg::OnInitDialog() {
    m_nGraph = 1;
    m_strGraph = Interval(1).m_Expression;
    m_graphColor = Interval(1).m_Color;
    m_loading = true;
    m_bar->setValue(BarPosition(1));
    m_comboLine->clear();
    m_comboLine->FillFromTable(kLineStyleComboTable, 0);
    // A style the list does not offer selects nothing.
    m_comboLine->SelectByData(DWORD(m_nAxisLine));
    m_loading = false;
    ShowColourSwatch(m_buttonAxisColor, m_axisColor);
    ShowColourSwatch(m_buttonGraphColor, m_graphColor);
    return CDialog::OnInitDialog();
}

void CNumberLinePropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editMajor, m_strMajor);
    DDX_Text(pDX, m_editMax, m_strMax);
    DDX_Text(pDX, m_editMinor, m_strMinor);
    DDX_Text(pDX, m_editMin, m_strMin);
    DDX_Check(pDX, m_checkScale, m_bShowScale);
    DDX_Check(pDX, m_checkAxis, m_bShowAxis);
    DDX_Check(pDX, m_checkTicks, m_bShowTicks);
    DDX_Text(pDX, m_editGraph, m_strGraph);
    // Only the ten intervals exist: any other number is refused and the
    // shown interval stays.
    int number = m_nGraph;
    DDX_Text(pDX, m_editNumber, number);
    DDV_MinMaxInt(pDX, number, 1, kIntervals);
    m_nGraph = number;
}

void CNumberLinePropertiesDlg::StoreShown(int number) {
    QvGraphDataNumberLineFunction& r = Interval(number);
    r.m_Expression = m_strGraph;
    r.m_Color = m_graphColor;
    r.m_Changed = 1;
}

void CNumberLinePropertiesDlg::ShowInterval(int number) {
    m_nGraph = number;
    m_strGraph = Interval(number).m_Expression;
    m_graphColor = Interval(number).m_Color;
    m_loading = true;
    m_bar->setValue(BarPosition(number));
    m_loading = false;
    ShowColourSwatch(m_buttonGraphColor, m_graphColor);
    UpdateData(FALSE);
}

void CNumberLinePropertiesDlg::OnScroll(int position) {
    const int shown = m_nGraph;
    if (!UpdateData(TRUE)) {
        // A refused number box: the bar goes back to the shown interval.
        m_loading = true;
        m_bar->setValue(BarPosition(shown));
        m_loading = false;
        return;
    }
    StoreShown(m_nGraph);
    ShowInterval(NumberAt(position));
}

void CNumberLinePropertiesDlg::OnChangeNumber() {
    // An empty box is the user about to type a number.
    if (m_editNumber->text().trimmed().isEmpty())
        return;
    const int shown = m_nGraph;
    const QString typed = m_editNumber->text();
    if (!UpdateData(TRUE))
        return;
    if (m_nGraph == shown)
        return;
    StoreShown(shown);
    ShowInterval(m_nGraph);
    // The user's own text stays as typed ("03" is not rewritten to "3").
    m_editNumber->setText(typed);
}

void CNumberLinePropertiesDlg::OnAxisColor() {
    if (ChooseColourWithCustomColours(this, m_axisColor))
        ShowColourSwatch(m_buttonAxisColor, m_axisColor);
}

void CNumberLinePropertiesDlg::OnGraphColor() {
    if (!ChooseColourWithCustomColours(this, m_graphColor))
        return;
    ShowColourSwatch(m_buttonGraphColor, m_graphColor);
    Interval(m_nGraph).m_Color = m_graphColor;
    Interval(m_nGraph).m_Changed = 1;
}

void CNumberLinePropertiesDlg::OnFont() {
    ChooseFontAndColour(this, m_logFont, m_fontColor, m_nDrawHeight);
}

void CNumberLinePropertiesDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    m_nAxisLine = int(m_comboLine->GetSelectedData());
    StoreShown(m_nGraph);
    EndDialog(IDOK);
}

void CNumberLinePropertiesDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvNumberLineDefaults& n = TheSettings().m_NumberLineDefaults;
    n.xColor.SetValue(m_axisColor);
    n.xLine.SetValue(m_nAxisLine);
    n.xMaxShowS.SetValue(m_strMax);
    n.xMinShowS.SetValue(m_strMin);
    n.xMajorS.SetValue(m_strMajor);
    n.xMinorS.SetValue(m_strMinor);
    for (int i = 0; i < kIntervals; ++i)
        n.GraphColor[i].SetValue(m_lineData.m_Graphs[i].m_Color);
    QvLogFont font;
    font.Set(m_logFont, m_fontColor, m_nDrawHeight);
    n.AxisFont.SetValue(font);
    TheSettings().Save(FALSE);
}

bool RunNumberLinePropertiesDialog(QvNumberLineData& data) {
    CNumberLinePropertiesDlg dlg(QApplication::activeWindow());
    dlg.Load(data);
    if (dlg.DoModal() != IDOK)
        return false;
    dlg.Store(data);
    return true;
}
