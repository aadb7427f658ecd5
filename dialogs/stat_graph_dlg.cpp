#include "dialogs/stat_graph_dlg.h"

#include "dialogs/data_generator_dlgs.h"
#include "dialogs/stat_column_dlgs.h"
#include "dialogs/stat_data_grid.h"
#include "dialogs/stat_graph_options.h"
#include "platform/command_ids.h"
#include "platform/profile.h"
#include "settings/settings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <iterator>

namespace {

const char* const kOneVarKinds[] = {"Mean, Standard Deviation etc.",
                                    "ALL Data",
                                    "Median, Inter-quartile Range etc",
                                    "Deciles",
                                    "Percentiles",
                                    "Stanines",
                                    "Measures of Central Tendency",
                                    "Measures of Dispersion",
                                    "Measures of Central Tendency & Dispersion"};

const char* const kGraphTypes[] = {"Bar Graph",
                                   "Column Graph",
                                   "Pie (Circle) Graph",
                                   "Dot Plot",
                                   "Residuals Graph",
                                   "Histogram",
                                   "Frequency Polygon",
                                   "Cumulative Frequency Plot",
                                   "Box Plot",
                                   "Line Graph",
                                   "Scatter Graph",
                                   "Pictogram",
                                   "Stem & Leaf Plot"};

const char* const kRegressions[] = {
    "Linear Regression",      "Quadratic Regression", "Exponential Regression",
    "Logarithmic Regression", "Power Regression",     "Reciprocal Regression",
    "Median Line"};

// Keywords of the type list's entries, tested in this order: a later hit
// wins ("Frequency Polygon" must not stay a plain frequency graph).
struct TypeKeyword {
    const char* word;
    int type;
};
constexpr TypeKeyword kTypeKeywords[] = {
    {"BOX", 2},  {"PIE", 3},  {"SCATTER", 5}, {"STEM", 7},  {"HISTO", 8},
    {"BAR", 1},  {"DOT", 6},  {"LINE", 4},    {"CUM", 9},   {"FREQUENCY POLYGON", 11},
    {"COLUMN", 10}, {"RESIDUALS", 12}, {"PICTOGRAM", 14}};

// The start of the entry each stored type selects.
struct TypePrefix {
    int type;
    const char* prefix;
};
constexpr TypePrefix kTypePrefixes[] = {
    {1, "Bar"},      {2, "Box"},  {3, "Pie"},     {4, "Line"},  {5, "Scatter"},
    {6, "Dot"},      {7, "Stem"}, {8, "Histo"},   {9, "Cum"},   {10, "Column"},
    {11, "Freq"},    {12, "Resid"}, {14, "Pictogram"}};

QStringList Letters() {
    QStringList letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters << QString(QLatin1Char(c));
    return letters;
}

QComboBox* NewList(QWidget* parent, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    return combo;
}

// Selects without telling the dialog's handlers, which answer the user only.
void Select(QComboBox* combo, int index) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

template <class Setting, class Field> void Give(Setting& setting, const Field& field) {
    setting.SetValue(field);
}
template <class Setting, class Field, size_t N>
void Give(Setting (&settings)[N], const std::array<Field, N>& fields) {
    for (size_t i = 0; i < N; ++i)
        settings[i].SetValue(fields[i]);
}

} // namespace

void QvCopyStatDataWhole(QvStatData& dst, const QvStatData& src) {
    dst.CopyWhole(src);
}

CStatGraphDlg::CStatGraphDlg(QvStatData* data, QWidget* parent)
    : CDialog(parent), m_grid(new CStatDataGrid(this)), m_tab(new QTabBar(this)),
      m_comboGraphType(new QComboBox(this)), m_pTarget(data) {
    setWindowTitle(QStringLiteral("Statistics Graph Properties"));
    if (m_pTarget)
        QvCopyStatDataWhole(m_data, *m_pTarget);

    const QStringList letters = Letters();
    const QStringList withRow = letters + QStringList{QStringLiteral("Row")};
    QStringList types;
    for (const char* t : kGraphTypes)
        types << QString::fromLatin1(t);
    types.sort(Qt::CaseInsensitive);
    m_comboGraphType->addItems(types);
    m_comboData1 = NewList(this, withRow);
    m_comboData2 = NewList(this, QStringList{QStringLiteral("None")} + withRow);
    m_comboOVCol = NewList(this, letters);
    QStringList kinds;
    for (const char* k : kOneVarKinds)
        kinds << QString::fromLatin1(k);
    m_comboOVType = NewList(this, kinds);
    m_comboCol1 = NewList(this, withRow);
    m_comboCol2 = NewList(this, withRow);
    QStringList regressions;
    for (const char* r : kRegressions)
        regressions << QString::fromLatin1(r);
    m_comboRegression = NewList(this, regressions);

    m_buttonSwap = new QPushButton(QStringLiteral("Swap Columns"), this);
    m_buttonCopy = new QPushButton(QStringLiteral("Copy Statistics to Clipboard"), this);
    m_buttonOptions = new QPushButton(QStringLiteral("Options"), this);
    m_buttonRandom = new QPushButton(QStringLiteral("Random "), this);
    m_buttonBivariate = new QPushButton(QStringLiteral("Bivariate"), this);
    m_buttonTimeSeries = new QPushButton(QStringLiteral("Time Series"), this);
    m_buttonOK = new QPushButton(QStringLiteral("OK"), this);
    m_buttonSetDefault = new QPushButton(QStringLiteral("Set Default"), this);
    m_buttonOK->setDefault(true);
    connect(m_buttonOptions, &QPushButton::clicked, this, [this] { OnOptions(); });

    m_report = new QTextEdit(this);
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QTextEdit::NoWrap);
    m_report->setFont(ReportFont());
    // Rebuilt whole each time; nobody undoes in a read-only box.
    m_report->setUndoRedoEnabled(false);

    m_tab->addTab(QStringLiteral("One Variable"));
    m_tab->addTab(QStringLiteral("Two Variable"));

    // The pages: one-variable and two-variable choices above the report.
    auto* oneVarFor = new QLabel(QStringLiteral("For column"), this);
    auto* oneVarShow = new QLabel(QStringLiteral("show"), this);
    auto* twoVarFor = new QLabel(QStringLiteral("For columns"), this);
    auto* twoVarAnd = new QLabel(QStringLiteral("and"), this);
    auto* twoVarShow = new QLabel(QStringLiteral("show"), this);
    m_oneVarPage = {oneVarFor, m_comboOVCol, oneVarShow, m_comboOVType};
    m_twoVarPage = {twoVarFor, m_comboCol1, twoVarAnd, m_comboCol2,
                    twoVarShow, m_comboRegression, m_buttonSwap};

    auto* pages = new QGridLayout;
    pages->addWidget(oneVarFor, 0, 0);
    pages->addWidget(m_comboOVCol, 0, 1);
    pages->addWidget(oneVarShow, 0, 2);
    pages->addWidget(m_comboOVType, 0, 3, 1, 3);
    pages->addWidget(twoVarFor, 1, 0);
    pages->addWidget(m_comboCol1, 1, 1);
    pages->addWidget(twoVarAnd, 1, 2);
    pages->addWidget(m_comboCol2, 1, 3);
    pages->addWidget(twoVarShow, 2, 0);
    pages->addWidget(m_comboRegression, 2, 1, 1, 3);
    pages->addWidget(m_buttonSwap, 2, 4);

    auto* right = new QVBoxLayout;
    right->addWidget(m_tab);
    right->addLayout(pages);
    right->addWidget(m_buttonCopy, 0, Qt::AlignLeft);
    right->addWidget(m_report, 1);

    auto* graph = new QGroupBox(QStringLiteral("Graph Properties"), this);
    auto* graphLayout = new QGridLayout(graph);
    graphLayout->addWidget(m_comboGraphType, 0, 0, 1, 2);
    graphLayout->addWidget(m_comboData1, 1, 0);
    graphLayout->addWidget(m_comboData2, 1, 1);
    graphLayout->addWidget(m_buttonOptions, 0, 2, 2, 1);
    auto* generators = new QGroupBox(QStringLiteral("Data Generators"), this);
    auto* generatorsLayout = new QVBoxLayout(generators);
    generatorsLayout->addWidget(m_buttonRandom);
    generatorsLayout->addWidget(m_buttonBivariate);
    generatorsLayout->addWidget(m_buttonTimeSeries);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_buttonOK);
    buttons->addWidget(m_buttonSetDefault);
    buttons->addStretch();
    auto* lower = new QHBoxLayout;
    lower->addWidget(graph, 1);
    lower->addWidget(generators);
    lower->addLayout(buttons);
    right->addLayout(lower);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(right, 1);
    resize(970, 560);

    connect(m_tab, &QTabBar::currentChanged, this, [this](int tab) {
        // Set from the tab shown, so a change made in code cannot flip it twice.
        m_data.properties.OneVar = tab == 0 ? 1 : 0;
        ShowPage(tab);
        RefreshReport();
    });
    auto onPick = [this](QComboBox* combo, auto store, bool refresh) {
        connect(combo, &QComboBox::activated, this, [this, store, refresh](int index) {
            store(m_data.properties, index);
            if (refresh)
                RefreshReport();
        });
    };
    onPick(m_comboOVCol, [](QvStatProperties& q, int i) { q.OVCol = i; }, true);
    onPick(m_comboOVType, [](QvStatProperties& q, int i) { q.OVType = i; }, true);
    onPick(m_comboCol1, [](QvStatProperties& q, int i) { q.col1 = i; }, true);
    onPick(m_comboCol2, [](QvStatProperties& q, int i) { q.col2 = i; }, true);
    onPick(m_comboRegression,
           [](QvStatProperties& q, int i) { q.RegType = CBivariateDataDlg::ModelAtPosition(i); },
           true);
    onPick(m_comboData1, [](QvStatProperties& q, int i) { q.dc[0] = i; }, false);
    onPick(m_comboData2, [](QvStatProperties& q, int i) { q.dc[1] = i - 1; }, false);
    connect(m_comboGraphType, &QComboBox::activated, this, [this](int index) {
        QvStatProperties& q = m_data.properties;
        q.GraphType = GraphTypeFromText(m_comboGraphType->itemText(index), q.GraphType);
    });
    connect(m_buttonSwap, &QPushButton::clicked, this, [this] { OnSwapColumns(); });
    connect(m_buttonRandom, &QPushButton::clicked, this, [this] { OnRandomGenerators(); });
    connect(m_buttonTimeSeries, &QPushButton::clicked, this, [this] { OnTimeSeriesGenerator(); });
    connect(m_buttonBivariate, &QPushButton::clicked, this, [this] { OnBivariateGenerator(); });
    connect(m_buttonCopy, &QPushButton::clicked, this, [this] { OnCopyStatistics(); });
    connect(m_buttonOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_buttonSetDefault, &QPushButton::clicked, this, [this] { OnSetDefault(); });
}

CStatGraphDlg::~CStatGraphDlg() = default;

int CStatGraphDlg::GraphTypeFromText(const QString& text, int current) {
    const QString upper = text.toUpper();
    int type = current;
    for (const TypeKeyword& k : kTypeKeywords)
        if (upper.contains(QLatin1String(k.word)))
            type = k.type;
    return type;
}

int CStatGraphDlg::GraphTypeEntry(const QComboBox* combo, int graphType) {
    for (const TypePrefix& t : kTypePrefixes) {
        if (t.type != graphType)
            continue;
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemText(i).startsWith(QLatin1String(t.prefix), Qt::CaseInsensitive))
                return i;
    }
    return -1;
}

BOOL CStatGraphDlg::OnInitDialog() {
    const QvStatProperties& p = m_data.properties;
    Select(m_comboOVCol, p.OVCol);
    Select(m_comboOVType, p.OVType);
    Select(m_comboCol1, p.col1);
    Select(m_comboCol2, p.col2);
    Select(m_comboRegression, CBivariateDataDlg::PositionOfModel(p.RegType));
    {
        const QSignalBlocker block(m_tab);
        m_tab->setCurrentIndex(p.OneVar ? 0 : 1);
    }
    ShowPage(p.OneVar ? 0 : 1);
    m_grid->SetData(&m_data);
    m_grid->Init();
    // The grid's own selection moving is a change the report follows.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { RefreshReport(); });
    connect(m_grid->Model(), &QAbstractItemModel::dataChanged, this, [this] { RefreshReport(); });
    connect(m_grid->Model(), &QAbstractItemModel::modelReset, this, [this] { RefreshReport(); });
    Select(m_comboData1, p.dc[0]);
    Select(m_comboData2, p.dc[1] + 1);
    Select(m_comboGraphType, GraphTypeEntry(m_comboGraphType, p.GraphType));
    RefreshReport();
    return CDialog::OnInitDialog();
}

void CStatGraphDlg::ShowPage(int tab) {
    for (QWidget* w : m_oneVarPage)
        w->setVisible(tab == 0);
    for (QWidget* w : m_twoVarPage)
        w->setVisible(tab != 0);
}

void CStatGraphDlg::RefreshReport() {
    ++m_nReportRefreshes;
    const QvStatProperties& p = m_data.properties;
    QString text;
    if (p.OneVar) {
        text = BuildOneVariableReport(m_data, m_comboOVCol->currentIndex(),
                                      m_comboOVType->currentIndex());
    } else {
        if (p.RegType >= 1 && p.RegType <= 7)
            Select(m_comboRegression, CBivariateDataDlg::PositionOfModel(p.RegType));
        text = BuildTwoVariableReport(m_data, m_comboCol1->currentIndex(),
                                      m_comboCol2->currentIndex(), p.RegType);
    }
    QTextDocument* document = m_report->document();
    if (text == m_reportText && document->revision() == m_reportRevision)
        return;
    m_report->setUpdatesEnabled(false);
    PourReport(*document, text);
    m_report->moveCursor(QTextCursor::Start);
    m_report->setUpdatesEnabled(true);
    m_report->viewport()->update();
    m_reportText = text;
    m_reportRevision = document->revision();
}

void CStatGraphDlg::OnSwapColumns() {
    QvStatProperties& p = m_data.properties;
    const int first = m_comboCol1->currentIndex();
    const int second = m_comboCol2->currentIndex();
    Select(m_comboCol1, second);
    Select(m_comboCol2, first);
    p.col1 = m_comboCol1->currentIndex();
    p.col2 = m_comboCol2->currentIndex();
    for (size_t k = 0; k + 1 < p.dc.size(); k += 2)
        if (p.dc[k] != -1 && p.dc[k + 1] != -1)
            std::swap(p.dc[k], p.dc[k + 1]);
    for (int c : {p.col1, p.col2})
        if (QvStatColumn* column = m_data.Column(c))
            column->MarkDirty();
    RefreshReport();
}

void CStatGraphDlg::OnOptions() {
    if (!RunGraphOptionsSheet(m_data, this))
        return;
    // The sheet's Data Columns page may have changed the first two columns.
    Select(m_comboData1, m_data.properties.dc[0]);
    Select(m_comboData2, m_data.properties.dc[1] + 1);
}

void CStatGraphDlg::OnRandomGenerators() {
    int column = 0;
    QString formula;
    if (RunRandomGenerators(this, column, formula))
        m_grid->FillColumnFromFormula(column, formula);
}

void CStatGraphDlg::OnTimeSeriesGenerator() {
    int column = 0;
    QString formula;
    // The generator starts from the report's fit and leaves it as it is.
    if (RunTimeSeriesGenerator(this, m_data.properties.RegType, column, formula))
        m_grid->FillColumnFromFormula(column, formula);
}

void CStatGraphDlg::OnBivariateGenerator() {
    int column = 0;
    QString formula;
    if (RunBivariateGenerator(this, m_data.properties.RegType, column, formula))
        m_grid->FillColumnFromFormula(column, formula);
}

bool CStatGraphDlg::OnEditCommand(UINT id) {
    switch (id) {
    case 32913:
    case ID_EDIT_CUT:
        m_grid->CutSelection();
        return true;
    case 32914:
    case ID_EDIT_COPY:
        m_grid->CopySelection();
        return true;
    case 32915:
        m_grid->CopySelectionAsRows();
        return true;
    case 32916:
    case ID_EDIT_PASTE:
        m_grid->PasteFromDataObject();
        return true;
    default:
        return false;
    }
}

void CStatGraphDlg::OnCopyStatistics() {
    // The report as it is formatted, then the caret left at its end.
    m_report->selectAll();
    m_report->copy();
    m_report->moveCursor(QTextCursor::End);
    RefreshReport();
}

void CStatGraphDlg::OnOK() {
    m_grid->CommitCellEdit();
    QvSettings& settings = TheSettings();
    for (int i = 0; i < QvStatProperties::CustomColorCount; ++i) {
        QvSettingColor& colour = settings.m_CustomColors[i];
        colour.SetValue(m_data.properties.CustomColors[size_t(i)]);
        colour.Write(nullptr, nullptr, FALSE);
    }
    FlushProfile();
    if (m_pTarget)
        QvCopyStatDataWhole(*m_pTarget, m_data);
    EndDialog(IDOK);
}

void CStatGraphDlg::OnCancel() {
    // The graph keeps the data set it had; nothing reaches the defaults.
    m_grid->setFocus();
    EndDialog(IDCANCEL);
}

void CStatGraphDlg::OnSetDefault() {
    m_grid->CommitCellEdit();
    QvSettings& settings = TheSettings();
    QvStatDefaults& s = settings.m_StatDefaults;
    const QvStatProperties& p = m_data.properties;
    Give(s.Title, p.Title);
    Give(s.GraphStyle, p.GraphStyle);
    Give(s.Label1, p.Label1);
    Give(s.Label2, p.Label2);
    Give(s.LabelCol1, p.LabelCol1);
    Give(s.LabelCol2, p.LabelCol2);
    Give(s.LabelColActive1, p.LabelColActive1);
    Give(s.LabelColActive2, p.LabelColActive2);
    Give(s.xAxis, p.xAxis);
    Give(s.yAxis, p.yAxis);
    Give(s.AutoScale, p.AutoScale);
    Give(s.dc, p.dc);
    Give(s.GraphType, p.GraphType);
    Give(s.TitleFont, p.TitleFont);
    Give(s.LabelFont, p.LabelFont);
    Give(s.AncillaryFont, p.AncillaryFont);
    Give(s.AxisFont, p.AxisFont);
    Give(s.xLogScale, p.xLogScale);
    Give(s.yLogScale, p.yLogScale);
    Give(s.PieGraph, p.PieGraph);
    Give(s.xMajor, p.xMajor);
    Give(s.xMinor, p.xMinor);
    Give(s.yMajor, p.yMajor);
    Give(s.yMinor, p.yMinor);
    Give(s.xMajorCol, p.xMajorCol);
    Give(s.xMinorCol, p.xMinorCol);
    Give(s.yMajorCol, p.yMajorCol);
    Give(s.yMinorCol, p.yMinorCol);
    Give(s.Orientate, p.Orientate);
    Give(s.StatType, p.StatType);
    Give(s.Bar_Legend, p.Bar_Legend);
    Give(s.Back2Back, p.Back2Back);
    Give(s.Column_Legend, p.Column_Legend);
    Give(s.BreakScales, p.BreakScales);
    Give(s.BreakType, p.BreakType);
    Give(s.ScaleFont, p.ScaleFont);
    Give(s.Line_Legend, p.Line_Legend);
    Give(s.DataPoints, p.DataPoints);
    Give(s.CycleLen, p.CycleLen);
    Give(s.Line_UseLabels, p.Line_UseLabels);
    Give(s.Line_FillGaps, p.Line_FillGaps);
    Give(s.Line_PointType, p.Line_PointType);
    Give(s.Smoothing, p.Smoothing);
    Give(s.Residuals_UseLabels, p.Residuals_UseLabels);
    Give(s.Residuals_FillGaps, p.Residuals_FillGaps);
    Give(s.JoinPoints, p.JoinPoints);
    Give(s.Residuals_PointType, p.Residuals_PointType);
    Give(s.LineOfReg, p.LineOfReg);
    Give(s.Residuals, p.Residuals);
    Give(s.Scatter_PointType, p.Scatter_PointType);
    Give(s.Dot_Legend, p.Dot_Legend);
    Give(s.Dot_PointType, p.Dot_PointType);
    Give(s.NumberGroups, p.NumberGroups);
    Give(s.col1, p.col1);
    Give(s.col2, p.col2);
    Give(s.RegType, p.RegType);
    Give(s.OVType, p.OVType);
    Give(s.OVCol, p.OVCol);
    Give(s.OneVar, p.OneVar);
    Give(s.CFPlot_Legend, p.CFPlot_Legend);
    Give(s.CFPlot_Percentage, p.CFPlot_Percentage);
    Give(s.FreqPoly_Legend, p.FreqPoly_Legend);
    Give(s.FreqPoly_Percentage, p.FreqPoly_Percentage);
    Give(s.FreqPoly_ShowFreq, p.FreqPoly_ShowFreq);
    Give(s.CFGraph_ShowFreq, p.CFGraph_ShowFreq);
    Give(s.Histo_ShowFreq, p.Histo_ShowFreq);
    Give(s.GraphWidth, p.GraphWidth);
    Give(s.GraphHeight, p.GraphHeight);
    Give(s.xAxisMid, p.xAxisMid);
    Give(s.yAxisMid, p.yAxisMid);
    Give(s.MidAxisFont, p.MidAxisFont);
    Give(s.AutoMaxx, p.AutoMaxx);
    Give(s.maxx, p.maxx);
    Give(s.AutoMaxy, p.AutoMaxy);
    Give(s.maxy, p.maxy);
    Give(s.AutoMinx, p.AutoMinx);
    Give(s.minx, p.minx);
    Give(s.AutoMiny, p.AutoMiny);
    Give(s.miny, p.miny);
    Give(s.AutoxMajor, p.AutoxMajor);
    Give(s.xmajor, p.xmajor);
    Give(s.AutoxMinor, p.AutoxMinor);
    Give(s.xminor, p.xminor);
    Give(s.AutoyMajor, p.AutoyMajor);
    Give(s.ymajor, p.ymajor);
    Give(s.AutoyMinor, p.AutoyMinor);
    Give(s.yminor, p.yminor);
    Give(s.BoxPlot_ShowOutliers, p.BoxPlot_ShowOutliers);
    Give(s.Colors, p.Colors);
    Give(s.StemLeaf_SortData, p.StemLeaf_SortData);
    Give(s.StemLeaf_RoundLeaf, p.StemLeaf_RoundLeaf);
    Give(s.StemLeaf_AllowSplit, p.StemLeaf_AllowSplit);
    Give(s.StemLeaf_High, p.StemLeaf_High);
    Give(s.StemLeaf_Low, p.StemLeaf_Low);
    Give(s.StemLeaf_NumStems, p.StemLeaf_NumStems);
    Give(s.DefaultFont, p.DefaultFont);
    Give(s.FreqPoly_ShowEnds, p.FreqPoly_ShowEnds);
    settings.Save(FALSE);
}

bool RunStatGraphDialog(QvStatData& data) {
    CStatGraphDlg dlg(&data, QApplication::activeWindow());
    return dlg.DoModal() == IDOK;
}
