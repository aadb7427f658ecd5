#include "statistics/stat_properties.h"

#include "figures/figure.h"
#include "platform/archive.h"
#include "statistics/picto_symbol.h"

#include <algorithm>

IMPLEMENT_SERIAL(QvStatProperties, CObject, 0)

namespace {

const QString kMarker = QStringLiteral("QvS");

// Moves one field each way, in the stored widths: INT as 32 bits, BYTE as
// one byte, so the layout never depends on how the fields sit in memory.
class FieldIo {
public:
    explicit FieldIo(CArchive& ar) : m_ar(ar), m_storing(ar.IsStoring()) {}

    FieldIo& operator()(int& v) {
        LONG x = v;
        m_storing ? m_ar << x : m_ar >> x;
        v = x;
        return *this;
    }
    FieldIo& operator()(BYTE& v) {
        m_storing ? m_ar << v : m_ar >> v;
        return *this;
    }
    FieldIo& operator()(COLORREF& v) {
        m_storing ? m_ar << v : m_ar >> v;
        return *this;
    }
    FieldIo& operator()(double& v) {
        m_storing ? m_ar << v : m_ar >> v;
        return *this;
    }
    FieldIo& operator()(QString& v) {
        m_storing ? m_ar << v : m_ar >> v;
        return *this;
    }
    FieldIo& operator()(QvLogFont& f) {
        m_storing ? f.WriteBlock(m_ar) : f.ReadBlock(m_ar);
        return *this;
    }
    template <class T, size_t N> FieldIo& operator()(std::array<T, N>& a) {
        for (T& v : a)
            (*this)(v);
        return *this;
    }
    FieldIo& operator()(LOGBRUSH& b) {
        DWORD style = b.lbStyle, colour = b.lbColor, hatch = b.lbHatch;
        m_storing ? m_ar << style << colour << hatch : m_ar >> style >> colour >> hatch;
        b = {style, colour, hatch};
        return *this;
    }
    // Padding: zeros written, whatever is there skipped.
    FieldIo& Pad(UINT n) {
        char bytes[4] = {};
        if (m_storing)
            m_ar.Write(bytes, n);
        else
            m_ar.ReadExact(bytes, n);
        return *this;
    }

private:
    CArchive& m_ar;
    bool m_storing;
};

} // namespace

QvStatProperties::QvStatProperties() {
    CustomColors.fill(0xFFFFFF);
    InitBrushes();
}

QvStatProperties::~QvStatProperties() = default;

void QvStatProperties::InitBrushes() {
    // Hatches by series: backward diagonal, cross, diagonal cross, forward
    // diagonal, horizontal, vertical, then again.
    static const ULONG hatches[6] = {HS_BDIAGONAL, HS_CROSS,      HS_DIAGCROSS,
                                     HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL};
    static const COLORREF greys[6] = {0x3C3C3C, 0x646464, 0xF0F0F0, 0x828282, 0xC8C8C8, 0xA0A0A0};
    for (int i = 0; i < Series; ++i) {
        Brushes[0][i] = {BS_HOLLOW, 0, 0};
        Brushes[1][i] = {BS_HATCHED, 0, hatches[i % 6]};
        Brushes[2][i] = {BS_SOLID, greys[i % 6], 0};
        Brushes[3][i] = {BS_SOLID, Colors[i], 0};
    }
}

void QvStatProperties::CopyScaleBreak(const QvStatProperties& o) {
    BreakScales = o.BreakScales;
    BreakType = o.BreakType;
    ScaleFont = o.ScaleFont;
}

void QvStatProperties::Copy(const QvStatProperties& o) {
    if (&o == this)
        return;
    Title = o.Title;
    GraphStyle = o.GraphStyle;
    Label1 = o.Label1;
    Label2 = o.Label2;
    xAxis = o.xAxis;
    yAxis = o.yAxis;
    AutoScale = o.AutoScale;
    dc = o.dc;
    GraphType = o.GraphType;
    TitleFont = o.TitleFont;
    LabelFont = o.LabelFont;
    AncillaryFont = o.AncillaryFont;
    AxisFont = o.AxisFont;
    xLogScale = o.xLogScale;
    yLogScale = o.yLogScale;
    PieGraph = o.PieGraph;
    Orientate = o.Orientate;
    StatType = o.StatType;
    CopyScaleBreak(o);
    Bar_Legend = o.Bar_Legend;
    Back2Back = o.Back2Back;
    Column_Legend = o.Column_Legend;
    LineOfReg = o.LineOfReg;
    Residuals = o.Residuals;
    Scatter_PointType = o.Scatter_PointType;
    Dot_Legend = o.Dot_Legend;
    Dot_PointType = o.Dot_PointType;
    NumberGroups = o.NumberGroups;
    CFPlot_Legend = o.CFPlot_Legend;
    CFPlot_Percentage = o.CFPlot_Percentage;
    FreqPoly_Legend = o.FreqPoly_Legend;
    FreqPoly_Percentage = o.FreqPoly_Percentage;
    Line_Legend = o.Line_Legend;
    DataPoints = o.DataPoints;
    CycleLen = o.CycleLen;
    Line_UseLabels = o.Line_UseLabels;
    Line_FillGaps = o.Line_FillGaps;
    Line_PointType = o.Line_PointType;
    Smoothing = o.Smoothing;
    Residuals_UseLabels = o.Residuals_UseLabels;
    Residuals_FillGaps = o.Residuals_FillGaps;
    JoinPoints = o.JoinPoints;
    Residuals_PointType = o.Residuals_PointType;
    col1 = o.col1;
    col2 = o.col2;
    RegType = o.RegType;
    OVType = o.OVType;
    OVCol = o.OVCol;
    OneVar = o.OneVar;
    xMajor = o.xMajor;
    xMinor = o.xMinor;
    yMajor = o.yMajor;
    yMinor = o.yMinor;
    xMajorCol = o.xMajorCol;
    xMinorCol = o.xMinorCol;
    yMajorCol = o.yMajorCol;
    yMinorCol = o.yMinorCol;
    FreqPoly_ShowFreq = o.FreqPoly_ShowFreq;
    CFGraph_ShowFreq = o.CFGraph_ShowFreq;
    Histo_ShowFreq = o.Histo_ShowFreq;
    GraphWidth = o.GraphWidth;
    GraphHeight = o.GraphHeight;
    xAxisMid = o.xAxisMid;
    yAxisMid = o.yAxisMid;
    MidAxisFont = o.MidAxisFont;
    AutoMaxx = o.AutoMaxx;
    maxx = o.maxx;
    AutoMaxy = o.AutoMaxy;
    maxy = o.maxy;
    AutoMinx = o.AutoMinx;
    minx = o.minx;
    AutoMiny = o.AutoMiny;
    miny = o.miny;
    AutoxMajor = o.AutoxMajor;
    xmajor = o.xmajor;
    AutoxMinor = o.AutoxMinor;
    xminor = o.xminor;
    AutoyMajor = o.AutoyMajor;
    ymajor = o.ymajor;
    AutoyMinor = o.AutoyMinor;
    yminor = o.yminor;
    BoxPlot_ShowOutliers = o.BoxPlot_ShowOutliers;
    Picto_Orientate = o.Picto_Orientate;
    Picto_ShowLegend = o.Picto_ShowLegend;
    for (int i = 0; i < Symbols; ++i)
        Picto_Symbol[i] = o.Picto_Symbol[i] ? QvCopyPictogramSymbol(*o.Picto_Symbol[i]) : nullptr;
    StemLeaf_SortData = o.StemLeaf_SortData;
    StemLeaf_RoundLeaf = o.StemLeaf_RoundLeaf;
    StemLeaf_AllowSplit = o.StemLeaf_AllowSplit;
    StemLeaf_High = o.StemLeaf_High;
    StemLeaf_Low = o.StemLeaf_Low;
    StemLeaf_NumStems = o.StemLeaf_NumStems;
    Brushes = o.Brushes;
    Colors = o.Colors;
    FreqPoly_ShowEnds = o.FreqPoly_ShowEnds;
}

void QvStatProperties::Serialize(CArchive& ar) {
    int version = Version;
    if (ar.IsStoring()) {
        ar << kMarker << LONG(Version) << Title;
    } else {
        // Records from before the marker begin with the title.
        QString first;
        ar >> first;
        if (first == kMarker) {
            LONG stored = 0;
            ar >> stored >> Title;
            version = std::clamp(int(stored), 0, int(Version));
        } else {
            Title = first;
            version = 0;
        }
    }

    FieldIo io(ar);
    io(xAxis)(yAxis)(Label1)(Label2);
    io(GraphStyle)(AutoScale)(dc)(GraphType);
    io(TitleFont)(LabelFont)(AncillaryFont)(AxisFont);
    io(xLogScale)(yLogScale);
    io(Bar_Legend)(Back2Back);
    io(Orientate)(StatType);
    io(Brushes);
    io(CFPlot_Legend)(CFPlot_Percentage);
    io(Colors);
    io(Column_Legend);
    io(Dot_Legend).Pad(3)(Dot_PointType);
    io(FreqPoly_Legend)(FreqPoly_Percentage);
    io(xMajor)(xMinor)(yMajor)(yMinor)(xMajorCol)(xMinorCol)(yMajorCol)(yMinorCol);
    io(NumberGroups);
    io(Line_Legend)(DataPoints).Pad(2)(CycleLen)(Line_UseLabels)(Line_FillGaps).Pad(2);
    io(Line_PointType)(Smoothing);
    io(PieGraph);
    io(BreakScales).Pad(3)(BreakType)(ScaleFont);
    io(LineOfReg)(Residuals).Pad(2)(Scatter_PointType);
    io(col1)(col2)(RegType)(OVType)(OVCol)(OneVar).Pad(3);
    io(Residuals_UseLabels)(Residuals_FillGaps)(JoinPoints).Pad(1)(Residuals_PointType);
    io(FreqPoly_ShowFreq)(CFGraph_ShowFreq)(Histo_ShowFreq)(GraphWidth)(GraphHeight);
    io(xAxisMid)(yAxisMid)(MidAxisFont);
    io(AutoMaxx)(maxx)(AutoMaxy)(maxy)(AutoMinx)(minx)(AutoMiny)(miny);
    io(AutoxMajor)(xmajor)(AutoxMinor)(xminor)(AutoyMajor)(ymajor)(AutoyMinor)(yminor);
    io(BoxPlot_ShowOutliers);

    if (version >= 1) {
        io(Picto_Orientate)(Picto_ShowLegend);
        SerializeSymbols(ar);
        io(StemLeaf_AllowSplit)(StemLeaf_SortData)(StemLeaf_RoundLeaf);
        io(StemLeaf_High)(StemLeaf_Low)(StemLeaf_NumStems);
    }
    if (version >= 2)
        io(FreqPoly_ShowEnds);

    if (ar.IsLoading())
        SetLabelColumnsFromLabels();
}

void QvStatProperties::SerializeSymbols(CArchive& ar) {
    for (std::unique_ptr<QvFigure>& symbol : Picto_Symbol) {
        if (ar.IsStoring()) {
            ar << BYTE(symbol ? 1 : 0);
            if (symbol)
                ar.WriteObject(symbol.get());
            continue;
        }
        BYTE present = 0;
        ar >> present;
        // Absent leaves the slot as it was.
        if (!present)
            continue;
        // Anything but a figure is refused before the slot changes; a symbol
        // already there gives way to the one read.
        symbol.reset(static_cast<QvFigure*>(ar.ReadOwnedObject(RUNTIME_CLASS(QvFigure))));
    }
}

// A label column is named by its capital letter; anything else, "None"
// included, names none.
void QvStatProperties::SetLabelColumnsFromLabels() {
    auto index = [](const QString& label) {
        if (label.isEmpty() || label == QLatin1String("None"))
            return -1;
        const int i = label.at(0).unicode() - 'A';
        return i >= 0 && i <= 25 ? i : -1;
    };
    LabelCol1 = index(Label1);
    LabelCol2 = index(Label2);
    LabelColActive1 = LabelCol1 >= 0;
    LabelColActive2 = LabelCol2 >= 0;
}
