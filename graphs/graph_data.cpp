#include "graphs/graph_data.h"

#include "graphs/archive_point.h"
#include "platform/archive.h"
#include "settings/settings.h"

#include <iterator>

IMPLEMENT_SERIAL(QvGraphData, CObject, 0)

namespace {

// The thirteen flags in block order; three zero bytes follow them.
constexpr BYTE QvGraphData::*kFlags[] = {
    &QvGraphData::ShowGrid,    &QvGraphData::AutoScale,   &QvGraphData::showXAxis,
    &QvGraphData::showYAxis,   &QvGraphData::showXTicks,  &QvGraphData::showYTicks,
    &QvGraphData::showXLabels, &QvGraphData::showYLabels, &QvGraphData::flag8,
    &QvGraphData::forceMarks,  &QvGraphData::ShadeAbove,  &QvGraphData::showReport,
    &QvGraphData::calcShown,
};
// Where each stored window starts; the y axis window comes before the x
// axis one, as files have always had it.
constexpr int kWindows[] = {0, 1, 3, 2, 4, 5, 6, 7, 8, 9, 10};
constexpr int kCalcShown = 12;
constexpr int kWindow = 4;

} // namespace

QvGraphData::QvGraphData() {
    const QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    xMaxShowS = g.xMaxShowS.GetValue();
    yMaxShowS = g.yMaxShowS.GetValue();
    xMinShowS = g.xMinShowS.GetValue();
    yMinShowS = g.yMinShowS.GetValue();
    xMajorS = g.xMajorS.GetValue();
    yMajorS = g.yMajorS.GetValue();
    xMinorS = g.xMinorS.GetValue();
    yMinorS = g.yMinorS.GetValue();
    xGridMajorColor = g.xGridMajorColor.GetValue();
    xGridMinorColor = g.xGridMinorColor.GetValue();
    yGridMajorColor = g.yGridMajorColor.GetValue();
    yGridMinorColor = g.yGridMinorColor.GetValue();
    xGridMajorPen = g.xGridMajorPen.GetValue();
    xGridMinorPen = g.xGridMinorPen.GetValue();
    yGridMajorPen = g.yGridMajorPen.GetValue();
    yGridMinorPen = g.yGridMinorPen.GetValue();
    AngleType = g.AngleType.GetValue();
    xNotate = g.xNotate.GetValue();
    yNotate = g.yNotate.GetValue();
    ShowGrid = g.ShowGrid.GetValue();
    AutoScale = g.AutoScale.GetValue();
    xColor = g.xColor.GetValue();
    yColor = g.yColor.GetValue();
    xLine = g.xLine.GetValue();
    yLine = g.yLine.GetValue();
    ShowOrigin = g.ShowOrigin.GetValue();
    ShowNegativeArrows = g.ShowNegativeArrows.GetValue();
    ShowPositiveArrows = g.ShowPositiveArrows.GetValue();
    ShadeAbove = g.ShadeAbove.GetValue();
    // The line style and shading kind of a slot are not taken here.
    for (int i = 0; i < kFunctionCount; ++i) {
        const QvFunctionStyle& style = g.FunctionStyle[i];
        QvGraphDataFunction& f = functions[i];
        f.VAsym = style.VAsym.GetValue() ? 1 : 0;
        f.HAsym = style.HAsym.GetValue() ? 1 : 0;
        f.RangeArrows = style.RangeArrows.GetValue() ? 1 : 0;
        f.ShowLow = style.ShowLow.GetValue() ? 1 : 0;
        f.ShowHigh = style.ShowHigh.GetValue() ? 1 : 0;
        f.m_Color = style.m_Color.GetValue();
        f.m_ShadeColor = style.m_ShadeColor.GetValue();
        f.m_HatchType = style.m_HatchType.GetValue();
        f.dirty = 1;
    }
}

QvGraphData::QvGraphData(const QvGraphData& other) : QvGraphData() {
    Copy(other);
}

QvGraphData& QvGraphData::Copy(const QvGraphData& other) {
    if (this == &other)
        return *this;
    xMax = other.xMax;
    yMax = other.yMax;
    xMin = other.xMin;
    yMin = other.yMin;
    plotTopLeft = other.plotTopLeft;
    plotBottomRight = other.plotBottomRight;
    frameTopLeft = other.frameTopLeft;
    frameBottomRight = other.frameBottomRight;
    xMaxShowS = other.xMaxShowS;
    yMaxShowS = other.yMaxShowS;
    xMinShowS = other.xMinShowS;
    yMinShowS = other.yMinShowS;
    xMajorS = other.xMajorS;
    yMajorS = other.yMajorS;
    xMinorS = other.xMinorS;
    yMinorS = other.yMinorS;
    xGridMajorColor = other.xGridMajorColor;
    xGridMinorColor = other.xGridMinorColor;
    yGridMajorColor = other.yGridMajorColor;
    yGridMinorColor = other.yGridMinorColor;
    xGridMajorPen = other.xGridMajorPen;
    xGridMinorPen = other.xGridMinorPen;
    yGridMajorPen = other.yGridMajorPen;
    yGridMinorPen = other.yGridMinorPen;
    AngleType = other.AngleType;
    xNotate = other.xNotate;
    yNotate = other.yNotate;
    // Flags 0 to 10: the report switch belongs to the holder.
    for (int i = 0; i <= 10; ++i)
        this->*kFlags[i] = other.*kFlags[i];
    formatWord = other.formatWord;
    NotateFont.Assign(other.NotateFont);
    AxisFont.Assign(other.AxisFont);
    ReportFont.Assign(other.ReportFont);
    xLine = other.xLine;
    xColor = other.xColor;
    yLine = other.yLine;
    yColor = other.yColor;
    ShowOrigin = other.ShowOrigin;
    ShowNegativeArrows = other.ShowNegativeArrows;
    ShowPositiveArrows = other.ShowPositiveArrows;
    integral = other.integral;
    derivative = other.derivative;
    calcShown = other.calcShown;
    for (int i = 0; i < kFunctionCount; ++i)
        functions[i].Copy(other.functions[i]);
    return *this;
}

void QvGraphData::ToBlock(BYTE* block) const {
    for (int i = 0; i < kFlagBlock; ++i)
        block[i] = i < int(std::size(kFlags)) ? this->*kFlags[i] : 0;
}

void QvGraphData::FromBlock(const BYTE* block) {
    for (int i = 0; i < int(std::size(kFlags)); ++i)
        this->*kFlags[i] = block[i];
}

void QvGraphData::Serialize(CArchive& ar) {
    BYTE block[kFlagBlock];
    ToBlock(block);
    if (ar.IsStoring()) {
        version = kVersion;
        ar << version << xMax << yMax << xMin << yMin;
        for (const CPoint* p : {&plotTopLeft, &plotBottomRight, &frameTopLeft, &frameBottomRight})
            StorePoint(ar, *p);
        ar << xMaxShowS << yMaxShowS << xMinShowS << yMinShowS << xMajorS << yMajorS << xMinorS
           << yMinorS;
        ar << LONG(AngleType) << xNotate << yNotate;
        for (int start : kWindows)
            ar.Write(block + start, kWindow);
        ar << LONG(formatWord);
        AxisFont.Serialize(ar);
        NotateFont.Serialize(ar);
        ReportFont.Serialize(ar);
        ar << intersection.x << intersection.y << LONG(intersection.picked)
           << short(intersection.state) << WORD(0) << LONG(intersection.first)
           << LONG(intersection.second);
        // functionA twice; showResult is not stored.
        ar << integral.lowerText << integral.upperText << LONG(integral.functionA)
           << LONG(integral.functionB) << LONG(integral.functionA) << integral.labelText;
        ar << derivative.labelText << LONG(derivative.showResult) << LONG(derivative.function)
           << derivative.xText;
        ar.Write(block + kCalcShown, kWindow);
        for (QvGraphDataFunction& f : functions)
            f.Serialize(ar);
        ar << DWORD(xGridMajorColor) << DWORD(xGridMinorColor) << DWORD(yGridMajorColor)
           << DWORD(yGridMinorColor);
        ar << LONG(xGridMajorPen) << LONG(xGridMinorPen) << LONG(yGridMajorPen)
           << LONG(yGridMinorPen);
        ar << DWORD(xColor) << DWORD(yColor) << LONG(xLine) << LONG(yLine);
        ar << ShowOrigin << ShowNegativeArrows << ShowPositiveArrows;
        return;
    }

    ar >> version;
    if (short(version) < 1)
        return;
    ar >> xMax >> yMax >> xMin >> yMin;
    for (CPoint* p : {&plotTopLeft, &plotBottomRight, &frameTopLeft, &frameBottomRight})
        LoadPoint(ar, *p);
    ar >> xMaxShowS >> yMaxShowS >> xMinShowS >> yMinShowS >> xMajorS >> yMajorS >> xMinorS >>
        yMinorS;
    ar >> AngleType >> xNotate >> yNotate;
    // Each window overwrites what the ones before it put there.
    for (int start : kWindows)
        ar.ReadExact(block + start, kWindow);
    ar >> formatWord;
    AxisFont.Serialize(ar);
    NotateFont.Serialize(ar);
    ReportFont.Serialize(ar);
    WORD filler = 0;
    ar >> intersection.x >> intersection.y >> intersection.picked >> intersection.state >> filler >>
        intersection.first >> intersection.second;
    ar >> integral.lowerText >> integral.upperText >> integral.functionA >> integral.functionB >>
        integral.functionA >> integral.labelText;
    // A saved integral shows its result again.
    integral.showResult = integral.functionA >= 0 ? 1 : 0;
    ar >> derivative.labelText >> derivative.showResult >> derivative.function >> derivative.xText;
    ar.ReadExact(block + kCalcShown, kWindow);
    FromBlock(block);
    for (QvGraphDataFunction& f : functions)
        f.Serialize(ar);
    ar >> xGridMajorColor >> xGridMinorColor >> yGridMajorColor >> yGridMinorColor;
    ar >> xGridMajorPen >> xGridMinorPen >> yGridMajorPen >> yGridMinorPen;
    ar >> xColor >> yColor >> xLine >> yLine;
    ar >> ShowOrigin >> ShowNegativeArrows;
    if (short(version) >= 2)
        ar >> ShowPositiveArrows;
}
