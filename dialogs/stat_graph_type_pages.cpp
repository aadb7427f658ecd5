#include "dialogs/stat_graph_type_pages.h"

#include "diagrams/gallery_list.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/gallery_dialogs.h"
#include "dialogs/stat_column_dlgs.h"
#include "figures/fig_gallery.h"
#include "geometry/marker.h"
#include "platform/dc.h"
#include "platform/gdi_objects.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "statistics/picto_symbol.h"
#include "statistics/stat_data.h"
#include "text/number_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kPointTypes = 6;

int AsFlag(int value) {
    return value ? 1 : 0;
}

QCheckBox* NewCheck(const char* text, QWidget* parent) {
    return new QCheckBox(QString::fromLatin1(text), parent);
}

// A check box the record keeps a value for, never shown.
QCheckBox* NewHiddenCheck(const char* text, QWidget* parent) {
    QCheckBox* box = NewCheck(text, parent);
    box->setEnabled(false);
    box->hide();
    return box;
}

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts)
        list << QString::fromLatin1(t);
    return list;
}

// A small picture of marker `code` as the graphs draw it.
QPixmap MarkerPicture(int code) {
    // Drawn as on a surface of twice the screen's resolution, so that the
    // dot, the square and the circle can be told apart.
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(7559);
    image.setDotsPerMeterY(7559);
    image.fill(Qt::transparent);
    {
        CDC dc(&image);
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CBrush brush(RGB(0, 0, 0));
        CDCSelect<CPen> keepPen(&dc, &pen);
        CDCSelect<CBrush> keepBrush(&dc, &brush);
        QvMarker().Draw(&dc, QvPoint(12, 12), code);
    }
    return QPixmap::fromImage(image);
}

// Radio buttons in a grid, one exclusive group per column, with headings
// above the columns and, to the left of each row, a picture or a text.
QGroupBox* NewRadioGrid(const QString& title, const QStringList& columnHeads,
                        const QList<QWidget*>& rowHeads, RadioGrid& grid, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QGridLayout(box);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(2);
    for (int r = 0; r < rowHeads.size(); ++r) {
        rowHeads[r]->setParent(box);
        layout->addWidget(rowHeads[r], r + 1, 0);
    }
    for (int c = 0; c < columnHeads.size(); ++c) {
        layout->addWidget(new QLabel(columnHeads[c], box), 0, c + 1, Qt::AlignHCenter);
        auto* group = new QButtonGroup(box);
        QList<QAbstractButton*> column;
        for (int r = 0; r < rowHeads.size(); ++r) {
            auto* radio = new QRadioButton(box);
            group->addButton(radio, r);
            column << radio;
            layout->addWidget(radio, r + 1, c + 1, Qt::AlignHCenter);
        }
        grid.columns << column;
        grid.groups << group;
    }
    layout->setColumnStretch(int(columnHeads.size()) + 1, 1);
    return box;
}

QGroupBox* NewPointTypeGrid(const QStringList& columnHeads, RadioGrid& grid, QWidget* parent) {
    QList<QWidget*> pictures;
    for (int code = 1; code <= kPointTypes; ++code) {
        auto* picture = new QLabel;
        picture->setPixmap(MarkerPicture(code));
        pictures << picture;
    }
    return NewRadioGrid(QStringLiteral("Plot Points as"), columnHeads, pictures, grid, parent);
}

// A column of radio buttons that keeps its height, so that what follows it
// stays close.
QWidget* TightRadioColumn(const QStringList& labels, QList<QAbstractButton*>& buttons,
                          QWidget* parent) {
    QWidget* column = RadioColumn(labels, buttons, parent);
    column->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    return column;
}

QStringList Numbered(const char* prefix, int count) {
    QStringList heads;
    for (int i = 1; i <= count; ++i)
        heads << QString::fromLatin1(prefix) + QString::number(i);
    return heads;
}

// One column of a radio grid; its group is exclusive, so showing no
// choice needs the exclusivity lifted for a moment.
void DDX_RadioColumn(CDataExchange* pDX, const RadioGrid& grid, int column, int& value) {
    QButtonGroup* group = grid.groups[column];
    if (pDX->m_bSaveAndValidate) {
        DDX_Radio(pDX, grid.columns[column], value);
        return;
    }
    group->setExclusive(false);
    DDX_Radio(pDX, grid.columns[column], value);
    group->setExclusive(true);
}

// Point types: the page shows the code less one.
template <size_t N>
void ReadPointTypes(const std::array<int, N>& stored, std::array<int, N>& shown,
                    std::array<int, N>& kept) {
    for (size_t i = 0; i < N; ++i) {
        kept[i] = stored[i];
        shown[i] = stored[i] - 1;
        if (shown[i] < 0 || shown[i] >= kPointTypes)
            shown[i] = -1;
    }
}

// A group with no choice keeps the stored code instead of writing 0,
// which would draw no marks at all.
template <size_t N>
void WritePointTypes(const std::array<int, N>& shown, const std::array<int, N>& kept,
                     std::array<int, N>& stored) {
    for (size_t i = 0; i < N; ++i)
        stored[i] = shown[i] >= 0 && shown[i] < kPointTypes ? shown[i] + 1 : kept[i];
}

QComboBox* NewRegressionCombo(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->addItems(GraphRegressionTexts());
    return combo;
}

// The list index of a stored model; -1 for a model the list does not hold.
int RegressionIndex(int regType) {
    return regType >= 1 && regType <= 7 ? CBivariateDataDlg::PositionOfModel(regType) : -1;
}

// The stored model of a list index; an index outside the list keeps it.
int RegTypeOf(int index, int kept) {
    return index >= 0 && index < int(GraphRegressionTexts().size())
               ? CBivariateDataDlg::ModelAtPosition(index)
               : kept;
}

} // namespace

QStringList GraphRegressionTexts() {
    return Texts({"Linear Regression", "Quadratic Regression", "Exponential Regression",
                  "Logarithmic Regression", "Power Regression", "Reciprocal Regression",
                  "Median Line"});
}

// ------------------------------------------------------------ Bar Graphs

CGOptBarGraph::CGOptBarGraph(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Bar Graphs"), parent),
      m_checkLegend(NewCheck("Show Legend", this)),
      m_checkBack2Back(NewHiddenCheck("Back to Back Graphs with Two Data Columns", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkLegend);
    layout->addStretch();
}

void CGOptBarGraph::ReadProperties(const QvStatData& data) {
    m_bLegend = AsFlag(data.properties.Bar_Legend);
    m_bBack2Back = data.properties.Back2Back;
}

void CGOptBarGraph::WriteProperties(QvStatData& data) {
    data.properties.Bar_Legend = BYTE(AsFlag(m_bLegend));
    data.properties.Back2Back = BYTE(m_bBack2Back);
}

void CGOptBarGraph::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkLegend, m_bLegend);
}

// -------------------------------------------------------- Box and whisker

CGOptBoxPlot::CGOptBoxPlot(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Box && Whisker Plot"), parent),
      m_checkOutliers(NewCheck("Show Outliers", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup(QStringLiteral("Plot"), Texts({"Horizontal", "Vertical"}),
                                 m_radioOrientate, this));
    layout->addWidget(RadioGroup(
        QStringLiteral("Use"), Texts({"Median / Interquartile Range", "Mean / Standard Deviation"}),
        m_radioStatType, this));
    layout->addWidget(m_checkOutliers);
    layout->addStretch();
}

void CGOptBoxPlot::ReadProperties(const QvStatData& data) {
    m_nOrientate = data.properties.Orientate;
    m_nStatType = data.properties.StatType;
    m_bOutliers = AsFlag(data.properties.BoxPlot_ShowOutliers);
}

void CGOptBoxPlot::WriteProperties(QvStatData& data) {
    data.properties.Orientate = m_nOrientate;
    data.properties.StatType = m_nStatType;
    data.properties.BoxPlot_ShowOutliers = BYTE(AsFlag(m_bOutliers));
}

void CGOptBoxPlot::DoDataExchange(CDataExchange* pDX) {
    DDX_Radio(pDX, m_radioOrientate, m_nOrientate);
    DDX_Radio(pDX, m_radioStatType, m_nStatType);
    DDX_Check(pDX, m_checkOutliers, m_bOutliers);
}

// -------------------------------------------------------------------- Pie

CGOptPie::CGOptPie(QWidget* parent) : CGOptTypePage(QStringLiteral("Pie (Circle) Graph"), parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup(QStringLiteral("In Sectors Show"),
                                 Texts({"Nothing", "Data", "Percentages"}), m_radioShow, this));
    layout->addStretch();
}

void CGOptPie::ReadProperties(const QvStatData& data) {
    m_nShow = data.properties.PieGraph;
}

void CGOptPie::WriteProperties(QvStatData& data) {
    data.properties.PieGraph = m_nShow;
}

void CGOptPie::DoDataExchange(CDataExchange* pDX) {
    DDX_Radio(pDX, m_radioShow, m_nShow);
}

// ------------------------------------------------------------ Line Graph

CGOptLineGraph::CGOptLineGraph(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Line Graph"), parent),
      m_checkLegend(NewCheck("Show Legend", this)),
      m_checkDataPoints(NewCheck("Show Data Points", this)),
      m_checkFillGaps(NewCheck("Fill Gaps in Data", this)),
      m_checkUseLabels(NewCheck("Use Labels for x Axis", this)), m_comboCycle(new QComboBox(this)),
      m_comboRegression(NewRegressionCombo(this)) {
    m_comboCycle->setEditable(true);
    m_comboCycle->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 2; n <= 12; ++n)
        m_comboCycle->addItem(QString::number(n));

    QStringList heads = Numbered("", Series);
    QGroupBox* points = NewPointTypeGrid(heads, m_pointTypes, this);
    QList<QWidget*> rows;
    for (const QString& text : Texts({"None", "Moving Point Ave", "Seasonalised", "Regression"}))
        rows << new QLabel(text);
    QGroupBox* smoothing =
        NewRadioGrid(QStringLiteral("Smoothing"), heads, rows, m_smoothing, this);

    auto* checks = new QVBoxLayout;
    for (QCheckBox* box : {m_checkLegend, m_checkDataPoints, m_checkFillGaps, m_checkUseLabels})
        checks->addWidget(box);
    auto* cycle = new QHBoxLayout;
    cycle->addWidget(new QLabel(QStringLiteral("Cycle Length"), this));
    cycle->addWidget(m_comboCycle);
    cycle->addStretch();
    checks->addLayout(cycle);
    checks->addWidget(m_comboRegression);
    checks->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addLayout(checks, 0, 0);
    layout->addWidget(points, 0, 1);
    layout->addWidget(smoothing, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
}

void CGOptLineGraph::ReadProperties(const QvStatData& data) {
    const QvStatProperties& p = data.properties;
    m_bLegend = AsFlag(p.Line_Legend);
    m_bDataPoints = AsFlag(p.DataPoints);
    m_bFillGaps = AsFlag(p.Line_FillGaps);
    m_bUseLabels = AsFlag(p.Line_UseLabels);
    m_nCycle = p.CycleLen;
    m_strCycle = QvFormatNumberPlain(p.CycleLen);
    m_nStoredRegType = p.RegType;
    m_nRegression = RegressionIndex(p.RegType);
    ReadPointTypes(p.Line_PointType, m_nPointType, m_nStoredPointType);
    m_nSmoothing = p.Smoothing;
}

void CGOptLineGraph::WriteProperties(QvStatData& data) {
    QvStatProperties& p = data.properties;
    p.Line_Legend = BYTE(AsFlag(m_bLegend));
    p.DataPoints = BYTE(AsFlag(m_bDataPoints));
    p.Line_FillGaps = BYTE(AsFlag(m_bFillGaps));
    p.Line_UseLabels = BYTE(AsFlag(m_bUseLabels));
    p.CycleLen = m_nCycle;
    p.RegType = RegTypeOf(m_nRegression, m_nStoredRegType);
    WritePointTypes(m_nPointType, m_nStoredPointType, p.Line_PointType);
    p.Smoothing = m_nSmoothing;
}

BOOL CGOptLineGraph::OnInitDialog() {
    CGOptTypePage::OnInitDialog();
    m_comboRegression->setCurrentIndex(m_nRegression);
    return TRUE;
}

void CGOptLineGraph::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkLegend, m_bLegend);
    DDX_Check(pDX, m_checkDataPoints, m_bDataPoints);
    DDX_Check(pDX, m_checkFillGaps, m_bFillGaps);
    DDX_Check(pDX, m_checkUseLabels, m_bUseLabels);
    for (int k = 0; k < Series; ++k) {
        DDX_RadioColumn(pDX, m_pointTypes, k, m_nPointType[size_t(k)]);
        DDX_RadioColumn(pDX, m_smoothing, k, m_nSmoothing[size_t(k)]);
    }
    pDX->PrepareCtrl(m_comboCycle);
    if (!pDX->m_bSaveAndValidate) {
        const int entry = m_comboCycle->findText(m_strCycle);
        m_comboCycle->setCurrentIndex(entry);
        if (entry < 0)
            m_comboCycle->setEditText(m_strCycle);
        return;
    }
    m_nRegression = m_comboRegression->currentIndex();
    // The seasonal smoothing divides by the cycle: a text that is no
    // number, or a cycle outside the list, is refused.
    m_strCycle = m_comboCycle->currentText();
    int cycle = 0;
    if (QvTextToNumber(m_strCycle) != QvNoNumber) {
        const double read = std::trunc(QvParseNumber(m_strCycle));
        if (read >= 2 && read <= 12)
            cycle = int(read);
    }
    DDV_MinMaxInt(pDX, cycle, 2, 12);
    m_nCycle = cycle;
}

// --------------------------------------------------------- Scatter Graph

CGOptScatterGraph::CGOptScatterGraph(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Scatter Graph"), parent),
      m_checkLine(NewCheck("Show Line", this)), m_checkResiduals(NewCheck("Show Residuals", this)),
      m_comboRegression(NewRegressionCombo(this)) {
    auto* regression = new QGroupBox(QStringLiteral("Regression"), this);
    auto* column = new QVBoxLayout(regression);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_checkLine, m_checkResiduals, m_comboRegression}) {
        w->setParent(regression);
        column->addWidget(w);
    }
    column->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(regression, 0, Qt::AlignTop);
    layout->addWidget(NewPointTypeGrid(Numbered("Set ", Sets), m_pointTypes, this), 0,
                      Qt::AlignTop);
}

void CGOptScatterGraph::ReadProperties(const QvStatData& data) {
    const QvStatProperties& p = data.properties;
    m_bLine = AsFlag(p.LineOfReg);
    m_bResiduals = AsFlag(p.Residuals);
    m_nStoredRegType = p.RegType;
    m_nRegression = RegressionIndex(p.RegType);
    ReadPointTypes(p.Scatter_PointType, m_nPointType, m_nStoredPointType);
}

void CGOptScatterGraph::WriteProperties(QvStatData& data) {
    QvStatProperties& p = data.properties;
    p.LineOfReg = BYTE(AsFlag(m_bLine));
    p.Residuals = BYTE(AsFlag(m_bResiduals));
    p.RegType = RegTypeOf(m_nRegression, m_nStoredRegType);
    WritePointTypes(m_nPointType, m_nStoredPointType, p.Scatter_PointType);
}

BOOL CGOptScatterGraph::OnInitDialog() {
    CGOptTypePage::OnInitDialog();
    m_comboRegression->setCurrentIndex(m_nRegression);
    return TRUE;
}

void CGOptScatterGraph::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkLine, m_bLine);
    DDX_Check(pDX, m_checkResiduals, m_bResiduals);
    for (int k = 0; k < Sets; ++k)
        DDX_RadioColumn(pDX, m_pointTypes, k, m_nPointType[size_t(k)]);
    if (pDX->m_bSaveAndValidate)
        m_nRegression = m_comboRegression->currentIndex();
}

// --------------------------------------------------------------- Dot Plot

CGOPTBox::CGOPTBox(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Dot Plot"), parent),
      m_checkLegend(NewCheck("Show Legend", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkLegend);
    layout->addWidget(NewPointTypeGrid(Numbered("", Series), m_pointTypes, this));
    layout->addStretch();
}

void CGOPTBox::ReadProperties(const QvStatData& data) {
    m_bLegend = AsFlag(data.properties.Dot_Legend);
    ReadPointTypes(data.properties.Dot_PointType, m_nPointType, m_nStoredPointType);
}

void CGOPTBox::WriteProperties(QvStatData& data) {
    data.properties.Dot_Legend = BYTE(AsFlag(m_bLegend));
    WritePointTypes(m_nPointType, m_nStoredPointType, data.properties.Dot_PointType);
}

void CGOPTBox::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkLegend, m_bLegend);
    for (int k = 0; k < Series; ++k)
        DDX_RadioColumn(pDX, m_pointTypes, k, m_nPointType[size_t(k)]);
}

// ----------------------------------------------------------- Stem & Leaf

CGOptStemLeaf::CGOptStemLeaf(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Stem && Leaf"), parent),
      m_checkSort(NewCheck("Sort Data on Branches", this)),
      m_checkRound(NewCheck("Round Data", this)), m_checkSplit(NewCheck("Allow Split Stems", this)),
      m_editHigh(new QLineEdit(this)), m_editLow(new QLineEdit(this)),
      m_labelHigh(new QLabel(QStringLiteral("High Mark"), this)),
      m_labelLow(new QLabel(QStringLiteral("Low Mark"), this)), m_editStems(new QLineEdit(this)) {
    m_editStems->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_editStems));
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_checkSort, 0, 0, 1, 2);
    grid->addWidget(m_checkRound, 1, 0, 1, 2);
    grid->addWidget(m_checkSplit, 2, 0, 1, 2);
    grid->addWidget(m_labelHigh, 3, 0);
    grid->addWidget(m_editHigh, 3, 1);
    grid->addWidget(m_labelLow, 4, 0);
    grid->addWidget(m_editLow, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Max Number of Stems"), this), 5, 0);
    grid->addWidget(m_editStems, 5, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(6, 1);
    connect(m_checkSplit, &QCheckBox::clicked, this, [this] { OnAllowSplit(); });
}

void CGOptStemLeaf::ReadProperties(const QvStatData& data) {
    const QvStatProperties& p = data.properties;
    m_bSort = AsFlag(p.StemLeaf_SortData);
    m_bRound = AsFlag(p.StemLeaf_RoundLeaf);
    m_bSplit = AsFlag(p.StemLeaf_AllowSplit);
    m_strHigh = p.StemLeaf_High;
    m_strLow = p.StemLeaf_Low;
    m_nStems = UINT(p.StemLeaf_NumStems);
}

void CGOptStemLeaf::WriteProperties(QvStatData& data) {
    QvStatProperties& p = data.properties;
    p.StemLeaf_SortData = BYTE(AsFlag(m_bSort));
    p.StemLeaf_RoundLeaf = BYTE(AsFlag(m_bRound));
    p.StemLeaf_AllowSplit = BYTE(AsFlag(m_bSplit));
    p.StemLeaf_High = m_strHigh;
    p.StemLeaf_Low = m_strLow;
    p.StemLeaf_NumStems = int(m_nStems);
}

void CGOptStemLeaf::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkSort, m_bSort);
    DDX_Check(pDX, m_checkRound, m_bRound);
    DDX_Check(pDX, m_checkSplit, m_bSplit);
    DDX_Text(pDX, m_editHigh, m_strHigh);
    DDX_Text(pDX, m_editLow, m_strLow);
    pDX->PrepareCtrl(m_editStems);
    if (!pDX->m_bSaveAndValidate) {
        m_editStems->setText(QString::number(m_nStems));
        return;
    }
    bool ok = false;
    const uint read = m_editStems->text().trimmed().toUInt(&ok);
    if (!ok) {
        AfxMessageBox(QStringLiteral("Please enter a positive integer."), MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    DDV_MinMaxInt(pDX, read > 35 ? 36 : int(read), 1, 35);
    m_nStems = read;
}

BOOL CGOptStemLeaf::OnInitDialog() {
    CGOptTypePage::OnInitDialog();
    EnableMarks();
    return TRUE;
}

void CGOptStemLeaf::OnAllowSplit() {
    UpdateData(TRUE);
    EnableMarks();
}

void CGOptStemLeaf::EnableMarks() {
    // Follows the box itself: a refused stem count leaves the member behind.
    const bool split = m_checkSplit->isChecked();
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_editHigh, m_editLow, m_labelHigh, m_labelLow})
        w->setEnabled(split);
}

// -------------------------------------------------------------- Histogram

CGOptHistogram::CGOptHistogram(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Histogram"), parent),
      m_sliderGroups(new QSlider(Qt::Horizontal, this)) {
    auto* groups = new QGroupBox(QStringLiteral("Number of Groups for Automatic Grouping"), this);
    auto* row = new QGridLayout(groups);
    m_sliderGroups->setParent(groups);
    m_sliderGroups->setTickPosition(QSlider::TicksBelow);
    m_sliderGroups->setTickInterval(10);
    row->addWidget(m_sliderGroups, 0, 0, 1, 3);
    row->addWidget(new QLabel(QStringLiteral("1"), groups), 1, 0, Qt::AlignLeft);
    row->addWidget(new QLabel(QStringLiteral("100"), groups), 1, 2, Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groups);
    layout->addWidget(TightRadioColumn(
        Texts({"Absolute Frequencies (Actual f)", "Percentage Frequencies (0 to 100)",
               "Relative Frequencies (0 to 1)", "Frequency Density (h = f/w)"}),
        m_radioFreq, this));
    layout->addStretch();
}

void CGOptHistogram::ReadProperties(const QvStatData& data) {
    m_nGroups = data.properties.NumberGroups;
    m_nFreq = data.properties.Histo_ShowFreq;
}

void CGOptHistogram::WriteProperties(QvStatData& data) {
    data.properties.NumberGroups = m_nGroups;
    data.properties.Histo_ShowFreq = m_nFreq;
}

BOOL CGOptHistogram::OnInitDialog() {
    CGOptTypePage::OnInitDialog();
    m_sliderGroups->setRange(1, 100);
    m_sliderGroups->setValue(m_nGroups);
    return TRUE;
}

void CGOptHistogram::DoDataExchange(CDataExchange* pDX) {
    DDX_Radio(pDX, m_radioFreq, m_nFreq);
    if (pDX->m_bSaveAndValidate)
        m_nGroups = m_sliderGroups->value();
}

// ---------------------------------------------- Cumulative Frequency Plot

CGOptCFPlot::CGOptCFPlot(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Cumulative Frequency Plot"), parent),
      m_checkLegend(NewCheck("Show Legend", this)),
      m_checkPercentage(NewHiddenCheck("Check1", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkLegend);
    layout->addWidget(TightRadioColumn(
        Texts({"Absolute Frequencies (Actual f)", "Percentage Frequencies (0 to 100)",
               "Relative Frequencies (0 to 1)"}),
        m_radioFreq, this));
    layout->addStretch();
}

void CGOptCFPlot::ReadProperties(const QvStatData& data) {
    m_bLegend = AsFlag(data.properties.CFPlot_Legend);
    m_bPercentage = data.properties.CFPlot_Percentage;
    m_nFreq = data.properties.CFGraph_ShowFreq;
}

void CGOptCFPlot::WriteProperties(QvStatData& data) {
    data.properties.CFPlot_Legend = BYTE(AsFlag(m_bLegend));
    data.properties.CFPlot_Percentage = BYTE(m_bPercentage);
    data.properties.CFGraph_ShowFreq = m_nFreq;
}

void CGOptCFPlot::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkLegend, m_bLegend);
    DDX_Radio(pDX, m_radioFreq, m_nFreq);
}

// ----------------------------------------------------------- Column Graph

CGOptColumnGraph::CGOptColumnGraph(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Column Graph"), parent),
      m_checkLegend(NewCheck("Show Legend", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkLegend);
    layout->addStretch();
}

void CGOptColumnGraph::ReadProperties(const QvStatData& data) {
    m_bLegend = AsFlag(data.properties.Column_Legend);
}

void CGOptColumnGraph::WriteProperties(QvStatData& data) {
    data.properties.Column_Legend = BYTE(AsFlag(m_bLegend));
}

void CGOptColumnGraph::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkLegend, m_bLegend);
}

// ------------------------------------------------------ Frequency Polygon

CGOptFreqPoly::CGOptFreqPoly(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Frequency Polygon"), parent),
      m_checkLegend(NewCheck("Show Legend", this)),
      m_checkPercentage(NewHiddenCheck("Show Frequencies as Percentages", this)),
      m_checkEnds(NewCheck("Join Polygon to x Axis", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkLegend);
    layout->addWidget(TightRadioColumn(
        Texts({"Absolute Frequencies (Actual f)", "Percentage Frequencies (0 to 100)",
               "Relative Frequencies (0 to 1)"}),
        m_radioFreq, this));
    layout->addWidget(m_checkEnds);
    layout->addStretch();
}

void CGOptFreqPoly::ReadProperties(const QvStatData& data) {
    const QvStatProperties& p = data.properties;
    m_bLegend = AsFlag(p.FreqPoly_Legend);
    m_bPercentage = p.FreqPoly_Percentage;
    m_nFreq = p.FreqPoly_ShowFreq;
    m_bEnds = AsFlag(p.FreqPoly_ShowEnds);
}

void CGOptFreqPoly::WriteProperties(QvStatData& data) {
    QvStatProperties& p = data.properties;
    p.FreqPoly_Legend = BYTE(AsFlag(m_bLegend));
    p.FreqPoly_Percentage = BYTE(m_bPercentage);
    p.FreqPoly_ShowFreq = m_nFreq;
    p.FreqPoly_ShowEnds = BYTE(AsFlag(m_bEnds));
}

void CGOptFreqPoly::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkLegend, m_bLegend);
    DDX_Radio(pDX, m_radioFreq, m_nFreq);
    DDX_Check(pDX, m_checkEnds, m_bEnds);
}

// -------------------------------------------------------- Residuals Graph

CGOptGraphResidual::CGOptGraphResidual(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Residuals Graph"), parent),
      m_checkFillGaps(NewCheck("Fill Gaps in Data", this)),
      m_checkJoin(NewCheck("Join Points", this)), m_comboRegression(NewRegressionCombo(this)) {
    auto* regression = new QGroupBox(QStringLiteral("Regression"), this);
    auto* column = new QVBoxLayout(regression);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_checkFillGaps, m_checkJoin, m_comboRegression}) {
        w->setParent(regression);
        column->addWidget(w);
    }
    column->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(regression, 0, Qt::AlignTop);
    layout->addWidget(NewPointTypeGrid(Numbered("Set ", Sets), m_pointTypes, this), 0,
                      Qt::AlignTop);
}

void CGOptGraphResidual::ReadProperties(const QvStatData& data) {
    const QvStatProperties& p = data.properties;
    m_bFillGaps = AsFlag(p.Residuals_FillGaps);
    m_bJoin = AsFlag(p.JoinPoints);
    m_nStoredRegType = p.RegType;
    m_nRegression = RegressionIndex(p.RegType);
    ReadPointTypes(p.Residuals_PointType, m_nPointType, m_nStoredPointType);
}

void CGOptGraphResidual::WriteProperties(QvStatData& data) {
    QvStatProperties& p = data.properties;
    p.Residuals_FillGaps = BYTE(AsFlag(m_bFillGaps));
    p.JoinPoints = BYTE(AsFlag(m_bJoin));
    p.RegType = RegTypeOf(m_nRegression, m_nStoredRegType);
    WritePointTypes(m_nPointType, m_nStoredPointType, p.Residuals_PointType);
}

BOOL CGOptGraphResidual::OnInitDialog() {
    CGOptTypePage::OnInitDialog();
    m_comboRegression->setCurrentIndex(m_nRegression);
    return TRUE;
}

void CGOptGraphResidual::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkFillGaps, m_bFillGaps);
    DDX_Check(pDX, m_checkJoin, m_bJoin);
    for (int k = 0; k < Sets; ++k)
        DDX_RadioColumn(pDX, m_pointTypes, k, m_nPointType[size_t(k)]);
    if (pDX->m_bSaveAndValidate)
        m_nRegression = m_comboRegression->currentIndex();
}

// -------------------------------------------------------------- Pictogram

CGOptPictoGram::CGOptPictoGram(QWidget* parent)
    : CGOptTypePage(QStringLiteral("Pictogram"), parent),
      m_checkLegend(NewCheck("Show Legend", this)) {
    auto* pictures = new QVBoxLayout;
    for (int k = 0; k < Slots; ++k) {
        auto* button = new QPushButton(QStringLiteral("Picture %1").arg(k + 1), this);
        button->setAutoDefault(false);
        m_buttonPicture[size_t(k)] = button;
        pictures->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, k] { ChoosePicture(k); });
    }
    pictures->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(RadioGroup(QStringLiteral("Plot"), Texts({"Horizontal", "Vertical"}),
                               m_radioOrientate, this));
    left->addWidget(m_checkLegend);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(pictures);
}

CGOptPictoGram::~CGOptPictoGram() = default;

void CGOptPictoGram::ReadProperties(const QvStatData& data) {
    const QvStatProperties& p = data.properties;
    m_nOrientate = p.Picto_Orientate;
    m_bLegend = p.Picto_ShowLegend;
    for (int k = 0; k < Slots; ++k) {
        const QvFigure* symbol = p.Picto_Symbol[size_t(k)].get();
        m_symbols[size_t(k)] = symbol ? QvCopyPictogramSymbol(*symbol) : nullptr;
    }
}

void CGOptPictoGram::WriteProperties(QvStatData& data) {
    QvStatProperties& p = data.properties;
    p.Picto_Orientate = m_nOrientate;
    p.Picto_ShowLegend = m_bLegend;
    for (int k = 0; k < Slots; ++k)
        p.Picto_Symbol[size_t(k)] = std::move(m_symbols[size_t(k)]);
}

void CGOptPictoGram::DoDataExchange(CDataExchange* pDX) {
    DDX_Radio(pDX, m_radioOrientate, m_nOrientate);
    DDX_Check(pDX, m_checkLegend, m_bLegend);
}

void CGOptPictoGram::ChoosePicture(int slot) {
    if (slot < 0 || slot >= Slots)
        return;
    QvGalleryList galleries;
    galleries.Scan(TheSettings().m_GalleryPath.GetValue());
    CSelectGalleryFigureDlg dlg(this);
    dlg.m_pGalleryList = &galleries;
    // Closing the chooser any other way keeps the slot's picture.
    if (dlg.DoModal() != IDOK || !galleries.HasSelectedFigure())
        return;
    std::unique_ptr<QvFigGallery> picture = galleries.CreateSelectedFigure();
    if (picture)
        m_symbols[size_t(slot)] = std::move(picture);
}

// ------------------------------------------------------------------ Pages

std::unique_ptr<CGOptTypePage> NewGraphTypeOptionsPage(int graphType) {
    switch (graphType) {
    case 1:
        return std::make_unique<CGOptBarGraph>();
    case 2:
        return std::make_unique<CGOptBoxPlot>();
    case 3:
        return std::make_unique<CGOptPie>();
    case 4:
        return std::make_unique<CGOptLineGraph>();
    case 5:
        return std::make_unique<CGOptScatterGraph>();
    case 6:
        return std::make_unique<CGOPTBox>();
    case 7:
        return std::make_unique<CGOptStemLeaf>();
    case 8:
        return std::make_unique<CGOptHistogram>();
    case 9:
        return std::make_unique<CGOptCFPlot>();
    case 10:
        return std::make_unique<CGOptColumnGraph>();
    case 11:
        return std::make_unique<CGOptFreqPoly>();
    case 12:
        return std::make_unique<CGOptGraphResidual>();
    case 14:
        return std::make_unique<CGOptPictoGram>();
    default:
        return nullptr; // type 13 draws without options of its own
    }
}
