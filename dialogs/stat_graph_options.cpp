#include "dialogs/stat_graph_options.h"

#include "dialogs/colour_choice.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/stat_graph_dlg.h"
#include "dialogs/stat_graph_type_pages.h"
#include "statgraphs/stat_graph.h"
#include "statistics/stat_data.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>
#include <type_traits>

namespace {

QStringList ColumnTexts(bool withNone) {
    QStringList texts;
    if (withNone)
        texts << QStringLiteral("None");
    for (char c = 'A'; c <= 'Z'; ++c)
        texts << QString(QLatin1Char(c));
    texts << QStringLiteral("Row");
    return texts;
}

// An editable combo's text, as typed or picked.
void DDX_CBText(CDataExchange* pDX, QComboBox* combo, QString& value) {
    pDX->PrepareCtrl(combo);
    if (pDX->m_bSaveAndValidate)
        value = combo->currentText();
    else
        combo->setEditText(value);
}

QComboBox* NewEditableCombo(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

QPushButton* NewColorButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("Color"), parent);
    button->setAutoDefault(false);
    return button;
}

BYTE AsByte(int value) {
    return value ? 1 : 0;
}

// The options with the fields only the data set's own copy carries.
void CopyOptionsWhole(QvStatProperties& dst, const QvStatProperties& src) {
    dst.Copy(src);
    dst.LabelCol1 = src.LabelCol1;
    dst.LabelCol2 = src.LabelCol2;
    dst.LabelColActive1 = src.LabelColActive1;
    dst.LabelColActive2 = src.LabelColActive2;
    dst.CustomColors = src.CustomColors;
}

// A sketch of a graph: the plot area, its axes and a few bars, for the
// font buttons around it to point at.
class GraphSketch : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {150, 90}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect area = rect().adjusted(4, 4, -4, -4);
        p.fillRect(area, Qt::white);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(area.bottomLeft() + QPoint(12, -12), area.topLeft() + QPoint(12, 6));
        p.drawLine(area.bottomLeft() + QPoint(12, -12), area.bottomRight() + QPoint(-6, -12));
        const int base = area.bottom() - 12;
        const int heights[] = {30, 52, 40, 64, 22};
        for (int i = 0; i < 5; ++i) {
            const QRect bar(area.left() + 22 + i * 24, base - heights[i], 16, heights[i]);
            p.fillRect(bar, i % 2 ? Qt::darkGray : Qt::lightGray);
            p.setPen(Qt::black);
            p.drawRect(bar);
        }
    }
};

} // namespace

// ---------------------------------------------------------------- General

CGOptGeneral::CGOptGeneral(QWidget* parent)
    : CPropertyPage(QStringLiteral("General"), parent), m_editTitle(new QLineEdit(this)),
      m_comboLabel(NewEditableCombo(this)), m_editXAxis(new QLineEdit(this)),
      m_editYAxis(new QLineEdit(this)), m_editXAxisMid(new QLineEdit(this)),
      m_editYAxisMid(new QLineEdit(this)) {
    m_comboLabel->setEnabled(false);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Title"), this), 0, 0);
    top->addWidget(m_editTitle, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Label Column"), this), 1, 0);
    top->addWidget(m_comboLabel, 1, 1);

    QGroupBox* art = RadioGroup(QStringLiteral("Art Type"),
                                {QStringLiteral("Line Art"), QStringLiteral("Hatched"),
                                 QStringLiteral("Gray Shading"), QStringLiteral("Color Shading")},
                                m_radioArtType, this);

    auto* axes = new QGroupBox(QStringLiteral("Axes Labels"), this);
    auto* grid = new QGridLayout(axes);
    grid->addWidget(new QLabel(QStringLiteral("End"), axes), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Middle"), axes), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("x Axis"), axes), 1, 0);
    grid->addWidget(m_editXAxis, 1, 1);
    grid->addWidget(m_editXAxisMid, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("y Axis"), axes), 2, 0);
    grid->addWidget(m_editYAxis, 2, 1);
    grid->addWidget(m_editYAxisMid, 2, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    auto* lower = new QHBoxLayout;
    lower->addWidget(art);
    lower->addWidget(axes, 1);
    layout->addLayout(lower);
    layout->addStretch();
}

void CGOptGeneral::ReadProperties(const QvStatData& data) {
    const QvStatProperties& p = data.properties;
    m_strTitle = p.Title;
    m_nArtType = p.GraphStyle;
    m_strXAxis = p.xAxis;
    m_strYAxis = p.yAxis;
    m_strXAxisMid = p.xAxisMid;
    m_strYAxisMid = p.yAxisMid;
    m_strLabel = p.Label1;
}

void CGOptGeneral::WriteProperties(QvStatData& data) const {
    QvStatProperties& p = data.properties;
    p.Title = m_strTitle;
    // A stored style outside the four shows no choice; none picked keeps it.
    if (m_nArtType >= 0 && m_nArtType < QvStatProperties::FillSchemes)
        p.GraphStyle = m_nArtType;
    p.xAxis = m_strXAxis;
    p.yAxis = m_strYAxis;
    p.xAxisMid = m_strXAxisMid;
    p.yAxisMid = m_strYAxisMid;
    p.Label1 = m_strLabel;
    p.LabelCol1 = -1;
    if (m_strLabel != QLatin1String("None") && p.LabelColActive1 && !m_strLabel.isEmpty()) {
        // Typed in either case, "c" is column C.
        const int index = m_strLabel.at(0).toUpper().unicode() - 'A';
        if (index >= 0 && index < QvStatData::Lettered)
            p.LabelCol1 = index;
    }
}

void CGOptGeneral::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editTitle, m_strTitle);
    DDX_CBText(pDX, m_comboLabel, m_strLabel);
    DDX_Radio(pDX, m_radioArtType, m_nArtType);
    DDX_Text(pDX, m_editXAxis, m_strXAxis);
    DDX_Text(pDX, m_editYAxis, m_strYAxis);
    DDX_Text(pDX, m_editXAxisMid, m_strXAxisMid);
    DDX_Text(pDX, m_editYAxisMid, m_strYAxisMid);
}

BOOL CGOptGeneral::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    bool anyLabel = false;
    if (m_pData) {
        for (int c = 0; c < QvStatData::Lettered; ++c) {
            const QvStatColumn& column = m_pData->columns[size_t(c)];
            if (column.type != QvStatColumn::Label)
                continue;
            if (!anyLabel) {
                m_comboLabel->setEnabled(true);
                m_comboLabel->addItem(QStringLiteral("None"));
                anyLabel = true;
            }
            // A column's short name is its letter until the grid has named it.
            m_comboLabel->addItem(column.symbol.isEmpty() ? QString(QLatin1Char(char('A' + c)))
                                                          : column.symbol);
        }
    }
    if (!anyLabel)
        m_comboLabel->addItem(m_strLabel);
    if (m_pData)
        m_pData->properties.LabelColActive1 = anyLabel ? 1 : 0;
    // Entry 0 ("None") is tried last; no match leaves the text empty.
    int found = -1;
    const int n = m_comboLabel->count();
    for (int k = 1; k <= n && found < 0; ++k) {
        const int i = k % n;
        if (m_comboLabel->itemText(i).compare(m_strLabel, Qt::CaseInsensitive) == 0)
            found = i;
    }
    m_comboLabel->setCurrentIndex(found);
    if (found < 0)
        m_comboLabel->setEditText(QString());
    return TRUE;
}

// ----------------------------------------------------------- Data Columns

CGOptDataCol::CGOptDataCol(QWidget* parent)
    : CPropertyPage(QStringLiteral("Data Columns"), parent) {
    auto* grid = new QGridLayout(this);
    for (int k = 0; k < Sets; ++k) {
        QComboBox* combo = NewEditableCombo(this);
        combo->addItems(ColumnTexts(k != 0));
        m_comboSet[size_t(k)] = combo;
        m_buttonColor[size_t(k)] = NewColorButton(this);
        const int row = k % 5;
        const int col = k / 5 * 4;
        grid->addWidget(new QLabel(QString::number(k + 1), this), row, col);
        grid->addWidget(combo, row, col + 1);
        grid->addWidget(m_buttonColor[size_t(k)], row, col + 2);
        connect(m_buttonColor[size_t(k)], &QPushButton::clicked, this, [this, k] { OnColor(k); });
    }
    grid->setColumnMinimumWidth(3, 24);
    grid->setColumnStretch(7, 1);
    grid->setRowStretch(5, 1);
}

void CGOptDataCol::DoDataExchange(CDataExchange* pDX) {
    for (int k = 0; k < Sets; ++k)
        DDX_CBText(pDX, m_comboSet[size_t(k)], m_strSet[size_t(k)]);
}

BOOL CGOptDataCol::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (!m_pData)
        return TRUE;
    const QvStatProperties& p = m_pData->properties;
    for (int k = 0; k < Sets; ++k) {
        QComboBox* combo = m_comboSet[size_t(k)];
        const int entry = k == 0 ? p.dc[0] : p.dc[size_t(k)] + 1;
        combo->setCurrentIndex(entry >= 0 && entry < combo->count() ? entry : -1);
        if (combo->currentIndex() < 0)
            combo->setEditText(QString());
        ShowColourSwatch(m_buttonColor[size_t(k)], p.Brushes[3][size_t(k)].lbColor);
    }
    return TRUE;
}

void CGOptDataCol::WriteColumns(QvStatData& data) const {
    if (!IsInitialized())
        return;
    QvStatProperties& p = data.properties;
    for (int k = 0; k < Sets; ++k) {
        // Only an entry of the list, in either case, names a column: "xyz"
        // is not column X.
        const QString& text = m_strSet[size_t(k)];
        const bool listed =
            m_comboSet[size_t(k)]->findText(text, Qt::MatchFixedString) >= 0;
        const int index = listed ? QvColumnIndexFromText(text) : -1;
        if (k == 0 && index < 0)
            continue;
        p.dc[size_t(k)] = index;
    }
}

void CGOptDataCol::OnColor(int set) {
    if (!m_pData || set < 0 || set >= Sets)
        return;
    QvStatProperties& p = m_pData->properties;
    COLORREF colour = p.Brushes[3][size_t(set)].lbColor;
    if (!ChooseColourWithCustomColours(this, colour, p.CustomColors))
        return;
    p.Colors[size_t(set)] = colour;
    p.Brushes[3][size_t(set)].lbColor = colour;
    ShowColourSwatch(m_buttonColor[size_t(set)], colour);
}

// ------------------------------------------------------------------- Grid

namespace {
template <class Options> auto& GridKind(Options& p, int kind) {
    switch (kind) {
    case 0:
        return p.xMajor;
    case 1:
        return p.xMinor;
    case 2:
        return p.yMajor;
    default:
        return p.yMinor;
    }
}
template <class Options> auto& GridColour(Options& p, int kind) {
    switch (kind) {
    case 0:
        return p.xMajorCol;
    case 1:
        return p.xMinorCol;
    case 2:
        return p.yMajorCol;
    default:
        return p.yMinorCol;
    }
}
} // namespace

CGOptGrid::CGOptGrid(QWidget* parent) : CPropertyPage(QStringLiteral("Grid"), parent) {
    const char* const titles[Kinds] = {"Major x Lines", "Minor x Lines", "Major y Lines",
                                       "Minor y Lines"};
    auto* grid = new QGridLayout(this);
    for (int k = 0; k < Kinds; ++k) {
        auto* box = new QGroupBox(QString::fromLatin1(titles[k]), this);
        auto* row = new QHBoxLayout(box);
        row->addWidget(RadioColumn({QStringLiteral("None"), QStringLiteral("Dotted"),
                                    QStringLiteral("Solid")},
                                   m_radioKind[size_t(k)], box));
        m_buttonColor[size_t(k)] = NewColorButton(box);
        row->addWidget(m_buttonColor[size_t(k)], 0, Qt::AlignTop);
        grid->addWidget(box, k / 2, k % 2);
        connect(m_buttonColor[size_t(k)], &QPushButton::clicked, this, [this, k] { OnColor(k); });
    }
    grid->setRowStretch(2, 1);
}

void CGOptGrid::ReadProperties(const QvStatData& data) {
    for (int k = 0; k < Kinds; ++k)
        m_nKind[size_t(k)] = GridKind(data.properties, k);
}

void CGOptGrid::WriteProperties(QvStatData& data) const {
    for (int k = 0; k < Kinds; ++k)
        if (m_nKind[size_t(k)] >= 0)
            GridKind(data.properties, k) = m_nKind[size_t(k)];
}

void CGOptGrid::DoDataExchange(CDataExchange* pDX) {
    for (int k = 0; k < Kinds; ++k) {
        // A kind read from a file outside the three shows no choice and is
        // kept unless the user picks one.
        int shown = m_nKind[size_t(k)];
        DDX_Radio(pDX, m_radioKind[size_t(k)], shown);
        if (pDX->m_bSaveAndValidate && shown >= 0)
            m_nKind[size_t(k)] = shown;
    }
    if (!pDX->m_bSaveAndValidate && m_pData)
        for (int k = 0; k < Kinds; ++k)
            ShowColourSwatch(m_buttonColor[size_t(k)], GridColour(m_pData->properties, k));
}

void CGOptGrid::OnColor(int kind) {
    if (!m_pData || kind < 0 || kind >= Kinds)
        return;
    QvStatProperties& p = m_pData->properties;
    COLORREF& field = GridColour(p, kind);
    COLORREF colour = field;
    if (!ChooseColourWithCustomColours(this, colour, p.CustomColors))
        return;
    field = colour;
    ShowColourSwatch(m_buttonColor[size_t(kind)], colour);
}

// ------------------------------------------------------------------ Fonts

CGOptFonts::CGOptFonts(QWidget* parent) : CPropertyPage(QStringLiteral("Fonts"), parent) {
    const char* const texts[FontCount] = {"Title Font",    "Mid Axis Font",
                                          "Legend\nFont",  "End Axis Font",
                                          "Scales Font",   "Ancillary Font\nUsed in Pie\nGraphs"};
    for (int f = 0; f < FontCount; ++f) {
        auto* button = new QPushButton(QString::fromLatin1(texts[f]), this);
        button->setAutoDefault(false);
        m_buttonFont[size_t(f)] = button;
        connect(button, &QPushButton::clicked, this, [this, f] { OnFont(Font(f)); });
    }
    // The buttons stand where their text shows on a graph.
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_buttonFont[Title], 0, 1, Qt::AlignHCenter);
    grid->addWidget(m_buttonFont[MidAxis], 1, 0, Qt::AlignVCenter);
    grid->addWidget(new GraphSketch(this), 1, 1);
    grid->addWidget(m_buttonFont[Legend], 1, 2, Qt::AlignVCenter);
    grid->addWidget(m_buttonFont[Scales], 2, 1, Qt::AlignHCenter);
    grid->addWidget(m_buttonFont[EndAxis], 2, 2, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Axis Font"), this), 3, 1, Qt::AlignHCenter);
    grid->addWidget(m_buttonFont[Ancillary], 4, 0, Qt::AlignLeft);
    grid->setRowStretch(5, 1);
}

void CGOptFonts::OnFont(Font font) {
    if (!m_pData)
        return;
    QvStatProperties& p = m_pData->properties;
    QvLogFont* const fields[FontCount] = {&p.TitleFont, &p.MidAxisFont, &p.LabelFont,
                                          &p.AxisFont,  &p.ScaleFont,   &p.AncillaryFont};
    if (font < 0 || font >= FontCount)
        return;
    QvLogFont& field = *fields[font];
    LOGFONT log = field.m_logFont;
    COLORREF colour = field.m_color;
    int height = field.m_drawHeight;
    if (ChooseFontAndColour(this, log, colour, height))
        field.Set(log, colour, height);
}

// ----------------------------------------------------------------- Scales

namespace {
struct ScaleRow {
    const char* label;
    double low;
    double high;
};
constexpr ScaleRow kScaleRows[CGOptScales::ValueCount] = {
    {"x Max", -1000000, 1000000}, {"x Min", -1000000, 1000000}, {"y Max", -1000000, 1000000},
    {"y Min", -1000000, 1000000}, {"x Major", 0.0001, 1000000}, {"x Minor", 0.0001, 100000},
    {"y Major", 0.0001, 1000000}, {"y Minor", 0.0001, 100000}};

template <class Byte, class Double> struct ScaleFields {
    Byte* autoFlag;
    Double* value;
};
// The Auto flag and value of each row, as const as the record.
template <class Options> auto Fields(Options& p) {
    using Row = ScaleFields<std::remove_reference_t<decltype((p.AutoMaxx))>,
                            std::remove_reference_t<decltype((p.maxx))>>;
    return std::array<Row, CGOptScales::ValueCount>{{{&p.AutoMaxx, &p.maxx},
             {&p.AutoMinx, &p.minx},
             {&p.AutoMaxy, &p.maxy},
             {&p.AutoMiny, &p.miny},
             {&p.AutoxMajor, &p.xmajor},
             {&p.AutoxMinor, &p.xminor},
             {&p.AutoyMajor, &p.ymajor},
             {&p.AutoyMinor, &p.yminor}}};
}
} // namespace

CGOptScales::CGOptScales(QWidget* parent)
    : CPropertyPage(QStringLiteral("Scales"), parent),
      m_checkLogX(new QCheckBox(QStringLiteral("x Axis"), this)),
      m_checkLogY(new QCheckBox(QStringLiteral("y Axis"), this)),
      m_checkBreak(new QCheckBox(QStringLiteral("Allow Broken Scales"), this)) {
    auto* limits = new QGroupBox(QStringLiteral("Max / Min"), this);
    auto* steps = new QGroupBox(QStringLiteral("Scale Settings"), this);
    auto* limitsGrid = new QGridLayout(limits);
    auto* stepsGrid = new QGridLayout(steps);
    for (int v = 0; v < ValueCount; ++v) {
        QGroupBox* box = v < MajorX ? limits : steps;
        QGridLayout* grid = v < MajorX ? limitsGrid : stepsGrid;
        m_edit[size_t(v)] = new QLineEdit(box);
        m_checkAuto[size_t(v)] = new QCheckBox(QStringLiteral("Auto"), box);
        const int row = v % 4;
        grid->addWidget(new QLabel(QString::fromLatin1(kScaleRows[v].label), box), row, 0);
        grid->addWidget(m_edit[size_t(v)], row, 1);
        grid->addWidget(m_checkAuto[size_t(v)], row, 2);
        connect(m_checkAuto[size_t(v)], &QCheckBox::clicked, this, [this, v] { OnAuto(Value(v)); });
    }

    auto* log = new QGroupBox(QStringLiteral("Logarithmic Scales"), this);
    auto* logColumn = new QVBoxLayout(log);
    m_checkLogX->setParent(log);
    m_checkLogY->setParent(log);
    logColumn->addWidget(m_checkLogX);
    logColumn->addWidget(m_checkLogY);

    auto* scales = new QGroupBox(QStringLiteral("Scales"), this);
    auto* scalesColumn = new QVBoxLayout(scales);
    m_checkBreak->setParent(scales);
    scalesColumn->addWidget(m_checkBreak);
    scalesColumn->addWidget(RadioColumn(
        {QStringLiteral("Zig Zag Break"), QStringLiteral("Parallel Line Break")}, m_radioBreakType,
        scales));

    auto* grid = new QGridLayout(this);
    grid->addWidget(limits, 0, 0);
    grid->addWidget(steps, 0, 1);
    grid->addWidget(log, 1, 0);
    grid->addWidget(scales, 1, 1);
    grid->setRowStretch(2, 1);
}

void CGOptScales::ReadProperties(const QvStatData& data) {
    const QvStatProperties& p = data.properties;
    const auto fields = Fields(p);
    for (int v = 0; v < ValueCount; ++v) {
        m_bAuto[size_t(v)] = AsByte(*fields[size_t(v)].autoFlag);
        m_dValue[size_t(v)] = *fields[size_t(v)].value;
    }
    m_bLogX = AsByte(p.xLogScale);
    m_bLogY = AsByte(p.yLogScale);
    m_bBreak = AsByte(p.BreakScales);
    m_nBreakType = p.BreakType;
}

void CGOptScales::WriteProperties(QvStatData& data) const {
    QvStatProperties& p = data.properties;
    const auto fields = Fields(p);
    for (int v = 0; v < ValueCount; ++v) {
        *fields[size_t(v)].autoFlag = AsByte(m_bAuto[size_t(v)]);
        *fields[size_t(v)].value = m_dValue[size_t(v)];
    }
    p.xLogScale = AsByte(m_bLogX);
    p.yLogScale = AsByte(m_bLogY);
    p.BreakScales = AsByte(m_bBreak);
    p.BreakType = m_nBreakType;
}

void CGOptScales::DoDataExchange(CDataExchange* pDX) {
    for (int v = 0; v < ValueCount; ++v) {
        const size_t i = size_t(v);
        DDX_Check(pDX, m_checkAuto[i], m_bAuto[i]);
        QLineEdit* edit = m_edit[i];
        if (!pDX->m_bSaveAndValidate) {
            DDX_Text(pDX, edit, m_dValue[i]);
            m_shown[i] = edit->text();
            continue;
        }
        // An edit the user cannot reach (its "Auto" box is set) can refuse
        // nothing and keeps its value.
        if (m_bAuto[i])
            continue;
        if (edit->text() == m_shown[i])
            pDX->PrepareCtrl(edit);
        else
            DDX_Text(pDX, edit, m_dValue[i]);
        DDV_MinMaxDouble(pDX, m_dValue[i], kScaleRows[v].low, kScaleRows[v].high);
    }
    DDX_Check(pDX, m_checkLogX, m_bLogX);
    DDX_Check(pDX, m_checkLogY, m_bLogY);
    DDX_Check(pDX, m_checkBreak, m_bBreak);
    DDX_Radio(pDX, m_radioBreakType, m_nBreakType);
}

BOOL CGOptScales::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    for (int v = 0; v < ValueCount; ++v)
        m_edit[size_t(v)]->setEnabled(!m_checkAuto[size_t(v)]->isChecked());
    return TRUE;
}

void CGOptScales::OnAuto(Value value) {
    if (value < 0 || value >= ValueCount)
        return;
    UpdateData(TRUE);
    m_edit[size_t(value)]->setEnabled(!m_checkAuto[size_t(value)]->isChecked());
}

// ------------------------------------------------------------------ Sheet

bool RunGraphOptionsSheet(QvStatData& data, QWidget* parent) {
    // The pages edit a working copy: Cancel must leave colours and fonts
    // the choosers already gave as they were.
    auto work = std::make_unique<QvStatData>();
    QvCopyStatDataWhole(*work, data);

    CPropertySheet sheet(QStringLiteral("Graph Options"), parent, 0);
    // Every tab in sight: a type's page has a long caption.
    sheet.TabWidget()->setUsesScrollButtons(false);
    CGOptGeneral general;
    general.SetStatData(work.get());
    general.ReadProperties(*work);
    CGOptDataCol columns;
    columns.SetStatData(work.get());
    CGOptGrid grid;
    grid.SetStatData(work.get());
    grid.ReadProperties(*work);
    CGOptFonts fonts;
    fonts.SetStatData(work.get());
    CGOptScales scales;
    scales.ReadProperties(*work);

    std::unique_ptr<CGOptTypePage> typePage =
        NewGraphTypeOptionsPage(work->properties.GraphType);
    if (typePage) {
        typePage->ReadProperties(*work);
        sheet.AddPage(typePage.get());
    }
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&general, &columns, &grid,
                                                                      &fonts, &scales})
        sheet.AddPage(page);

    if (sheet.DoModal() != IDOK)
        return false;
    general.WriteProperties(*work);
    scales.WriteProperties(*work);
    grid.WriteProperties(*work);
    columns.WriteColumns(*work);
    if (typePage)
        typePage->WriteProperties(*work);
    CopyOptionsWhole(data.properties, work->properties);
    return true;
}
